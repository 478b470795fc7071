#include <algorithm>
#include <string>

#include "generator/maze_generator.hpp"

namespace zxmaze {
namespace {

// trunc(r * 4): 0 up, 1 down, 2 left, 3 right.
Direction DrawDirection(RandomSource& random) {
    static constexpr Direction kByDraw[4] = {Direction::Up, Direction::Down, Direction::Left, Direction::Right};
    return kByDraw[static_cast<std::uint8_t>(random.Real() * 4.0)];
}

// None has no bit: no test matches the empty direction.
unsigned DirectionBit(Direction direction) {
    return direction == Direction::None ? 0U : 1U << static_cast<unsigned>(direction);
}

struct Step {
    int dx;
    int dy;
};

Step StepOf(Direction direction) {
    switch (direction) {
        case Direction::Up: return {0, -1};
        case Direction::Down: return {0, 1};
        case Direction::Left: return {-1, 0};
        default: return {1, 0};
    }
}

}  // namespace

void MazeGenerator::GrowCorridors(Host& host) {
    state_.MaxNodeCount = nodes_.Count();
    do {
        ChooseNode();
        state_.Carved = MakeAttempts(host);
        if (!state_.Carved) nodes_.Remove(state_.CurrentNode);
    } while (nodes_.Count() != 0);
}

// The attempts of one node choice, until one opens something or AttemptsPerNode are made.
// This loop is where a run spends most of its time. The grid does not change until an attempt
// passes, which ends the node choice, so which directions are open is worked out once up front.
bool MazeGenerator::MakeAttempts(Host& host) {
    const unsigned open = OpenDirections();
    if (open == 0 && !host.StepByStep()) {
        FailAllAttempts();
        return false;
    }
    RandomSource random = random_;  // local copies stay in registers across the host call
    Direction direction = state_.CurrentDirection;
    std::uint8_t counter = 0;
    bool carved = false;
    do {
        ++counter;  // 8-bit: after 255 it reads 0, and that attempt counts as a first one again
        // From the second attempt on the direction is drawn anew; the first keeps it when a percent
        // draw is at most SameDirectionPercent.
        if (counter > 1 || random.PercentDraw() > settings_.SameDirectionPercent) direction = DrawDirection(random);
        // Of the four direction tests only the one naming the current direction can pass.
        if ((open & DirectionBit(direction)) != 0) {
            CarveStep(direction);
            carved = true;
        }
        if (nodes_.Count() > state_.MaxNodeCount) state_.MaxNodeCount = nodes_.Count();
        if (host.StepByStep()) ShowStep(host);
    } while (!carved && counter != settings_.AttemptsPerNode);
    random_ = random;
    state_.CurrentDirection = direction;
    state_.AttemptCounter = counter;
    return carved;
}

// A node with no open direction fails every attempt whatever is drawn, so the attempts come down
// to their draws: only the last direction drawn matters, and the draws between can be skipped.
void MazeGenerator::FailAllAttempts() {
    const int attempts = settings_.AttemptsPerNode == 0 ? 256 : settings_.AttemptsPerNode;
    const auto firstAttemptRule = [this] {
        if (random_.PercentDraw() > settings_.SameDirectionPercent) state_.CurrentDirection = DrawDirection(random_);
    };
    firstAttemptRule();
    const int redraws = std::min(attempts, 255) - 1;  // attempts 2..255 draw a direction each
    if (redraws > 0) {
        random_.Skip(static_cast<std::uint64_t>(redraws - 1));
        state_.CurrentDirection = DrawDirection(random_);
    }
    if (attempts == 256) firstAttemptRule();  // the 256th, whose counter has gone back to 0
    state_.AttemptCounter = static_cast<std::uint8_t>(attempts);  // 256 reads 0
}

// A bit per direction whose test would pass at the current node: the look-ahead block (the step
// cell, its two neighbours across the direction and the three cells beyond) lies in the maze and
// none of its six cells is open. The bounds are plain integer comparisons, so a bound such as
// LastY - 1 never wraps. Each block is read whole, without stopping early: cheaper than a
// hard-to-predict branch per cell.
unsigned MazeGenerator::OpenDirections() const {
    const Node node = nodes_.Entry(state_.CurrentNode);
    const int x = node.x;
    const int y = node.y;
    const int lastX = settings_.LastX;
    const int lastY = settings_.LastY;
    const auto open = [this](int cx, int cy) { return grid_.At(cx, cy) == ccCorridor; };
    const auto rowOpen = [&](int cy) { return open(x - 1, cy) | open(x, cy) | open(x + 1, cy); };
    const auto columnOpen = [&](int cx) { return open(cx, y - 1) | open(cx, y) | open(cx, y + 1); };

    unsigned result = 0;
    if (0 < x && x < lastX) {
        if (y > 1 && !(rowOpen(y - 1) | rowOpen(y - 2))) result |= DirectionBit(Direction::Up);
        if (y < lastY - 1 && !(rowOpen(y + 1) | rowOpen(y + 2))) result |= DirectionBit(Direction::Down);
    }
    if (0 < y && y < lastY) {
        if (x > 1 && !(columnOpen(x - 1) | columnOpen(x - 2))) result |= DirectionBit(Direction::Left);
        if (x < lastX - 1 && !(columnOpen(x + 1) | columnOpen(x + 2))) result |= DirectionBit(Direction::Right);
    }
    return result;
}

void MazeGenerator::ChooseNode() {
    if (state_.RandomNodeMode && random_.PercentDraw() > settings_.KeepCorridorPercent) {
        const double number = random_.Real() * static_cast<double>(nodes_.Count()) + 1.0;
        state_.CurrentNode = static_cast<std::uint16_t>(static_cast<std::int64_t>(number));
    } else {
        state_.CurrentNode = nodes_.Count();
    }
}


// Opens the step cell, or the whole hall it belongs to.
void MazeGenerator::CarveStep(Direction direction) {
    const Node node = nodes_.Entry(state_.CurrentNode);
    const int x = node.x;
    const int y = node.y;
    const Step step = StepOf(direction);
    state_.HallFound = grid_.At(x + step.dx, y + step.dy);
    if (state_.HallFound > ccWall1) {
        CarveHall();
    } else {
        OpenCell(x + step.dx, y + step.dy);
    }
}

void MazeGenerator::OpenCell(int x, int y) {
    grid_.At(x, y) = ccCorridor;
    nodes_.Append(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y));
    picture_.PaintCell(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), ccCorridor);
}

void MazeGenerator::CarveHall() {
    // Column by column, each from the top: every piece of the hall opens, wherever it lies.
    const HallBounds& bounds = hallBounds_[state_.HallFound];
    for (int x = bounds.firstX; x <= bounds.lastX; ++x) {
        for (int y = bounds.firstY; y <= bounds.lastY; ++y) {
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
