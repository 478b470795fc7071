#include "generator/maze_generator.hpp"

namespace zxmaze {
namespace {

bool AllNeighboursOpen(const MazeGrid& grid, int x, int y) {
    return grid.At(x - 1, y - 1) == ccCorridor && grid.At(x, y - 1) == ccCorridor &&
           grid.At(x + 1, y - 1) == ccCorridor && grid.At(x - 1, y) == ccCorridor &&
           grid.At(x + 1, y) == ccCorridor && grid.At(x - 1, y + 1) == ccCorridor &&
           grid.At(x, y + 1) == ccCorridor && grid.At(x + 1, y + 1) == ccCorridor;
}

// Two orthogonal neighbours still type-1 wall with the open diagonal between them: turning this
// wall into a type-2 wall would change the look of a corridor's inner corner.
bool IsInnerCorner(const MazeGrid& grid, int x, int y) {
    auto wall = [&](int cx, int cy) { return grid.At(cx, cy) == ccWall1; };
    auto open = [&](int cx, int cy) { return grid.At(cx, cy) == ccCorridor; };
    return (wall(x, y - 1) && wall(x + 1, y) && open(x + 1, y - 1)) ||
           (wall(x - 1, y) && wall(x, y - 1) && open(x - 1, y - 1)) ||
           (wall(x - 1, y) && wall(x, y + 1) && open(x - 1, y + 1)) ||
           (wall(x + 1, y) && wall(x, y + 1) && open(x + 1, y + 1));
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

    for (int x = 1; x <= lastInnerX; ++x) {
        for (int y = 1; y <= lastInnerY; ++y) {
            const std::uint8_t p = random_.PercentDraw();
            if (p < settings_.PillarPercent && AllNeighboursOpen(grid_, x, y)) Decorate(x, y, ccPillar);
            if (grid_.At(x, y) == ccWall1 && p < settings_.Wall2Percent && !IsInnerCorner(grid_, x, y)) {
                Decorate(x, y, ccWall2);
            }
        }
    }

    auto scatter = [&](int firstX, int lastX, std::uint8_t percent, CellCode code) {
        for (int x = firstX; x <= lastX; ++x) {
            for (int y = 1; y <= lastInnerY; ++y) {
                const std::uint8_t p = random_.PercentDraw();
                if (grid_.At(x, y) == ccCorridor && p < percent) Decorate(x, y, code);
            }
        }
    };
    scatter(1, middle, settings_.EnemyLeftPercent, ccEnemy);
    scatter(middle + 1, lastInnerX, settings_.EnemyRightPercent, ccEnemy);
    scatter(1, lastInnerX, settings_.BoxPercent, ccBox);
}

}  // namespace zxmaze
