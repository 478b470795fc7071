#include "generator/maze_generator.hpp"

namespace zxmaze {
namespace {

// Cell (x + dx, y + dy) of a cell pointer is cell[dx * kColumnStride + dy].
constexpr int kLeft = -MazeGrid::kColumnStride;
constexpr int kRight = MazeGrid::kColumnStride;
constexpr int kUp = -1;
constexpr int kDown = 1;

// All eight neighbours open: open cells hold 0, so their bits or-ed together are 0.
bool AllNeighboursOpen(const std::uint8_t* cell) {
    return (cell[kLeft + kUp] | cell[kUp] | cell[kRight + kUp] | cell[kLeft] | cell[kRight] |
            cell[kLeft + kDown] | cell[kDown] | cell[kRight + kDown]) == ccCorridor;
}

// Two orthogonal neighbours still type-1 wall with the open diagonal between them: turning this
// wall into a type-2 wall would change the look of a corridor's inner corner.
// Evaluated without short cuts: the cells are in cache, a mispredicted branch is not.
bool IsInnerCorner(const std::uint8_t* cell) {
    const bool wallAbove = cell[kUp] == ccWall1;
    const bool wallBelow = cell[kDown] == ccWall1;
    const bool wallLeft = cell[kLeft] == ccWall1;
    const bool wallRight = cell[kRight] == ccWall1;
    return (wallAbove & wallRight & (cell[kRight + kUp] == ccCorridor)) |
           (wallLeft & wallAbove & (cell[kLeft + kUp] == ccCorridor)) |
           (wallLeft & wallBelow & (cell[kLeft + kDown] == ccCorridor)) |
           (wallRight & wallBelow & (cell[kRight + kDown] == ccCorridor));
}

}  // namespace

void MazeGenerator::Decorate(int x, int y, CellCode code) {
    grid_.At(x, y) = code;
    picture_.PaintCell(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), code);
}

void MazeGenerator::DecorateMaze() {
    // Inner area only, column outer and row inner; each change is seen by the cells after it.
    // One percent draw per visited cell, taken whether or not the cell can change.
    const int lastInnerX = settings_.LastX - 1;
    const int lastInnerY = settings_.LastY - 1;
    const int middle = settings_.LastX / 2;  // the middle column belongs to the left part

    // A local copy of the random source: the compiler can keep it in a register, where the member
    // would be stored and reloaded around every grid write (a byte store may alias anything).
    RandomSource random = random_;
    const PercentLimit pillar(settings_.PillarPercent);
    const PercentLimit wall2(settings_.Wall2Percent);
    for (int x = 1; x <= lastInnerX; ++x) {
        for (int y = 1; y <= lastInnerY; ++y) {
            const std::uint64_t draw = random.Bits();
            const std::uint8_t* cell = grid_.Cell(x, y);
            const bool allOpen = AllNeighboursOpen(cell);
            if (pillar.Below(draw) & allOpen) Decorate(x, y, ccPillar);
            // On the cell's value after the pillar rule, with the same draw.
            const bool innerCorner = IsInnerCorner(cell);
            if (wall2.Below(draw) & (*cell == ccWall1) & !innerCorner) Decorate(x, y, ccWall2);
        }
    }

    auto scatter = [&](int firstX, int lastX, PercentLimit chance, CellCode code) {
        for (int x = firstX; x <= lastX; ++x) {
            for (int y = 1; y <= lastInnerY; ++y) {
                const bool fires = chance.Below(random.Bits());
                if (fires & (grid_.At(x, y) == ccCorridor)) Decorate(x, y, code);
            }
        }
    };
    scatter(1, middle, PercentLimit(settings_.EnemyLeftPercent), ccEnemy);
    scatter(middle + 1, lastInnerX, PercentLimit(settings_.EnemyRightPercent), ccEnemy);
    scatter(1, lastInnerX, PercentLimit(settings_.BoxPercent), ccBox);
    random_ = random;
}

}  // namespace zxmaze
