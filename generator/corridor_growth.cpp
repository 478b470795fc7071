#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

#include "generator/maze_generator.hpp"

namespace zxmaze {
namespace {

// A direction draw: 0 up, 1 down, 2 left, 3 right.
Direction DrawDirection(RandomSource& random) {
    static constexpr Direction kByDraw[4] = {Direction::Up, Direction::Down, Direction::Left, Direction::Right};
    return kByDraw[random.QuarterDraw()];
}

// A percent draw above `percent`, decided on the draw's bits (see PercentLimit): p > percent is
// p >= percent + 1.
bool PercentDrawAbove(RandomSource& random, int percent) { return !PercentLimit(percent + 1).Below(random.Bits()); }

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

// 0x80 in each byte of `word` that is not 0 (a closed cell), and 0 in each byte that is.
std::uint64_t ClosedBytes(std::uint64_t word) {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    return (((word & kLow7) + kLow7) | word) & ~kLow7;
}

// The direction tests at one node, all four at once. A test passes when the look-ahead block (the
// step cell, its two neighbours across the direction and the three cells beyond) lies in the
// maze and none of its six cells is open. The bounds are plain integer comparisons, so a bound
// such as LastY - 1 never wraps.
//
// Without branches, which the random outcomes would keep mispredicting: each of the columns x - 2
// .. x + 2 is read as one word whose bytes are the rows y - 2 .. y + 5, and each block is closed
// when its bytes are closed in every column it spans.
unsigned OpenDirectionsAt(const MazeGrid& grid, Node node, int lastX, int lastY) {
    static_assert(std::endian::native == std::endian::little, "the byte masks take row y - 2 as the lowest byte");
    const int x = node.x;
    const int y = node.y;
    std::uint64_t closed[5];  // columns x - 2 .. x + 2
    for (int dx = -2; dx <= 2; ++dx) {
        std::uint64_t word;
        std::memcpy(&word, grid.Cell(x + dx, y - 2), sizeof word);
        closed[dx + 2] = ClosedBytes(word);
    }
    constexpr std::uint64_t kRowsAbove = 0x8080ULL;        // rows y - 2, y - 1
    constexpr std::uint64_t kRowsBelow = 0x8080000000ULL;  // rows y + 1, y + 2
    constexpr std::uint64_t kRowsBeside = 0x80808000ULL;   // rows y - 1 .. y + 1
    const std::uint64_t across = closed[1] & closed[2] & closed[3];  // columns x - 1 .. x + 1
    const std::uint64_t before = closed[0] & closed[1];              // columns x - 2, x - 1
    const std::uint64_t after = closed[3] & closed[4];               // columns x + 1, x + 2
    const bool up = (0 < x) & (x < lastX) & (y > 1) & ((across & kRowsAbove) == kRowsAbove);
    const bool down = (0 < x) & (x < lastX) & (y < lastY - 1) & ((across & kRowsBelow) == kRowsBelow);
    const bool left = (0 < y) & (y < lastY) & (x > 1) & ((before & kRowsBeside) == kRowsBeside);
    const bool right = (0 < y) & (y < lastY) & (x < lastX - 1) & ((after & kRowsBeside) == kRowsBeside);
    return (up ? DirectionBit(Direction::Up) : 0U) | (down ? DirectionBit(Direction::Down) : 0U) |
           (left ? DirectionBit(Direction::Left) : 0U) | (right ? DirectionBit(Direction::Right) : 0U);
}

}  // namespace

void MazeGenerator::GrowCorridors(Host& host) {
    state_.MaxNodeCount = nodes_.Count();
    do {
        ChooseNode();
        state_.Carved = false;
        MakeAttempts(host);
        if (!state_.Carved) nodes_.Remove(state_.CurrentNode);
    } while (nodes_.Count() != 0);
}

// The attempts of one node choice, until one opens something or AttemptsPerNode are made. This is
// where a run spends most of its time. The grid does not change until an attempt passes, which
// ends the node choice, so the open directions are worked out once, up front, without branches.
void MazeGenerator::MakeAttempts(Host& host) {
    const unsigned open = OpenDirections();
    state_.AttemptCounter = 0;
    do {
        ++state_.AttemptCounter;  // 8-bit: after 255 it reads 0, and that attempt counts as a first one again
        // From the second attempt on the direction is drawn anew; the first keeps it unless a
        // percent draw exceeds SameDirectionPercent.
        if (state_.AttemptCounter > 1 || PercentDrawAbove(random_, settings_.SameDirectionPercent)) {
            state_.CurrentDirection = DrawDirection(random_);
        }
        if (open == 0 && state_.AttemptCounter == 1 && !host.StepByStep()) {
            FailRemainingAttempts();
            return;
        }
    } while (!EndAttempt(host, (open & DirectionBit(state_.CurrentDirection)) != 0));
}

// The end of every attempt: open the step cell if the direction test passed, keep MaxNodeCount,
// show the step. True when the attempts of this node choice are over.
bool MazeGenerator::EndAttempt(Host& host, bool passed) {
    if (passed) {
        CarveStep(state_.CurrentDirection);
        state_.Carved = true;
    }
    if (nodes_.Count() > state_.MaxNodeCount) state_.MaxNodeCount = nodes_.Count();
    if (host.StepByStep()) ShowStep(host);
    return state_.Carved || state_.AttemptCounter == settings_.AttemptsPerNode;
}

// After its first attempt, a node with no open direction fails every attempt whatever is drawn, so
// the rest come down to their draws: only the last direction drawn matters, and the draws between
// can be skipped.
void MazeGenerator::FailRemainingAttempts() {
    const int attempts = settings_.AttemptsPerNode == 0 ? 256 : settings_.AttemptsPerNode;
    const int redraws = std::min(attempts, 255) - 1;  // attempts 2..255 draw a direction each
    if (redraws > 0) {
        random_.Skip(static_cast<std::uint64_t>(redraws - 1));
        state_.CurrentDirection = DrawDirection(random_);
    }
    // The 256th attempt, whose counter has gone back to 0, follows the first attempt's rule.
    if (attempts == 256 && PercentDrawAbove(random_, settings_.SameDirectionPercent)) {
        state_.CurrentDirection = DrawDirection(random_);
    }
    state_.AttemptCounter = static_cast<std::uint8_t>(attempts);  // 256 reads 0
}

// A bit per direction whose test would pass at the current node.
unsigned MazeGenerator::OpenDirections() const {
    return OpenDirectionsAt(grid_, nodes_.Entry(state_.CurrentNode), settings_.LastX, settings_.LastY);
}

void MazeGenerator::ChooseNode() {
    if (state_.RandomNodeMode && PercentDrawAbove(random_, settings_.KeepCorridorPercent)) {
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
