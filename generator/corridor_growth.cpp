#include <string>

#include "generator/maze_generator.hpp"

namespace zxmaze {
namespace {

struct Offset {
    int dx;
    int dy;
};

// For each direction: the step cell and the other five cells of its look-ahead block, all of
// which must be closed before the step cell may open.
struct DirectionRule {
    Direction direction;
    Offset step;
    Offset block[6];
};

constexpr DirectionRule kUp{Direction::Up, {0, -1}, {{-1, -1}, {0, -1}, {1, -1}, {-1, -2}, {0, -2}, {1, -2}}};
constexpr DirectionRule kDown{Direction::Down, {0, 1}, {{-1, 1}, {0, 1}, {1, 1}, {-1, 2}, {0, 2}, {1, 2}}};
constexpr DirectionRule kLeft{Direction::Left, {-1, 0}, {{-1, -1}, {-1, 0}, {-1, 1}, {-2, -1}, {-2, 0}, {-2, 1}}};
constexpr DirectionRule kRight{Direction::Right, {1, 0}, {{1, -1}, {1, 0}, {1, 1}, {2, -1}, {2, 0}, {2, 1}}};

const DirectionRule& RuleOf(Direction direction) {
    switch (direction) {
        case Direction::Up: return kUp;
        case Direction::Down: return kDown;
        case Direction::Left: return kLeft;
        default: return kRight;
    }
}

// The bounds that keep the whole look-ahead block inside the maze; compared as plain integers,
// so a bound of LastX - 1 is -1, and fails, when LastX is 0.
bool WithinBounds(Direction direction, int x, int y, int lastX, int lastY) {
    switch (direction) {
        case Direction::Up: return 0 < x && x < lastX && y > 1;
        case Direction::Down: return 0 < x && x < lastX && y < lastY - 1;
        case Direction::Left: return 0 < y && y < lastY && x > 1;
        case Direction::Right: return 0 < y && y < lastY && x < lastX - 1;
        case Direction::None: break;
    }
    return false;
}

}  // namespace

void MazeGenerator::GrowCorridors(Host& host) {
    state_.MaxNodeCount = nodes_.Count();
    do {
        ChooseNode();
        state_.AttemptCounter = 0;
        state_.Carved = false;
        do {
            ++state_.AttemptCounter;  // 8-bit: after 255 it reads 0, and that attempt counts as a first one
            if (state_.AttemptCounter > 1) {
                PickDirection();
            } else if (random_.PercentDraw() > settings_.SameDirectionPercent) {
                PickDirection();
            }
            // The design runs all four tests in the order up, down, left, right, each doing
            // nothing unless it names the current direction; only that one can pass.
            if (state_.CurrentDirection != Direction::None) RunDirectionTest(state_.CurrentDirection);
            if (nodes_.Count() > state_.MaxNodeCount) state_.MaxNodeCount = nodes_.Count();
            if (host.StepByStep()) ShowStep(host);
        } while (!state_.Carved && state_.AttemptCounter != settings_.AttemptsPerNode);
        if (!state_.Carved) nodes_.Remove(state_.CurrentNode);
    } while (nodes_.Count() != 0);
}

void MazeGenerator::ChooseNode() {
    if (state_.RandomNodeMode && random_.PercentDraw() > settings_.KeepCorridorPercent) {
        const double number = random_.Real() * static_cast<double>(nodes_.Count()) + 1.0;
        state_.CurrentNode = static_cast<std::uint16_t>(static_cast<std::int64_t>(number));
    } else {
        state_.CurrentNode = nodes_.Count();
    }
}

void MazeGenerator::PickDirection() {
    static constexpr Direction kByDraw[4] = {Direction::Up, Direction::Down, Direction::Left, Direction::Right};
    const auto draw = static_cast<std::uint8_t>(random_.Real() * 4.0);
    state_.CurrentDirection = kByDraw[draw];
}

void MazeGenerator::RunDirectionTest(Direction direction) {
    const Node node = nodes_.Entry(state_.CurrentNode);
    const int x = node.x;
    const int y = node.y;
    if (!WithinBounds(direction, x, y, settings_.LastX, settings_.LastY)) return;
    const DirectionRule& rule = RuleOf(direction);
    for (const Offset& cell : rule.block) {
        if (grid_.At(x + cell.dx, y + cell.dy) == ccCorridor) return;
    }
    state_.Carved = true;
    state_.HallFound = grid_.At(x + rule.step.dx, y + rule.step.dy);
    if (state_.HallFound > ccWall1) {
        CarveHall();
    } else {
        OpenCell(x + rule.step.dx, y + rule.step.dy);
    }
}

void MazeGenerator::OpenCell(int x, int y) {
    grid_.At(x, y) = ccCorridor;
    nodes_.Append(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y));
    picture_.PaintCell(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), ccCorridor);
}

void MazeGenerator::CarveHall() {
    // The whole maze area, column by column: every piece of the hall opens, wherever it lies.
    for (int x = 0; x <= settings_.LastX; ++x) {
        for (int y = 0; y <= settings_.LastY; ++y) {
            if (grid_.At(x, y) == state_.HallFound) OpenCell(x, y);
        }
    }
}

void MazeGenerator::ShowStep(Host& host) {
    host.SetStatus("макс.количество узлов: " + std::to_string(state_.MaxNodeCount));
    host.RepaintStatus();
    host.RefreshPicture(picture_);
    // The pause between steps is a counted busy loop; volatile keeps the compiler from removing it.
    if (settings_.StepDelay >= 0) {
        volatile std::int32_t& counter = state_.DelayCounter;
        counter = 0;
        for (std::int64_t pass = 0; pass <= settings_.StepDelay; ++pass) counter = counter + 1;
    }
}

}  // namespace zxmaze
