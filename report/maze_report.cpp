#include "report/maze_report.hpp"

#include <vector>

#include "generator/cell_code.hpp"

namespace zxmaze {
namespace {

struct Cell {
    int x;
    int y;
};

}  // namespace

MazeReport AnalyseMaze(const MazeGrid& finished, const MazeGrid& grown, int lastX, int lastY) {
    MazeReport report;
    report.columns = lastX + 1;
    report.rows = lastY + 1;
    report.bytesBytePerCell = report.columns * report.rows;
    report.bytesHalfBytePerCell = (report.columns + 1) / 2 * report.rows;

    // A hall cell left closed keeps its number; a pillar placed on one changes it (unless the
    // number was the pillar's own code, when the two cannot be told apart).
    const auto unreached = [&](int x, int y) { return grown.At(x, y) > ccWall1 && finished.At(x, y) == grown.At(x, y); };
    const auto open = [&](int x, int y) {
        const std::uint8_t value = finished.At(x, y);
        return (value == ccCorridor || value == ccEnemy || value == ccBox) && !unreached(x, y);
    };

    for (int x = 0; x <= lastX; ++x) {
        for (int y = 0; y <= lastY; ++y) {
            if (unreached(x, y)) {
                ++report.unreachedHall;
                continue;
            }
            switch (finished.At(x, y)) {
                case ccCorridor: ++report.corridor; break;
                case ccBox: ++report.box; break;
                case ccWall2: ++report.wall2; break;
                case ccPillar: ++report.pillar; break;
                case ccEnemy: ++report.enemy; break;
                default: ++report.wall1; break;
            }
        }
    }

    const auto openNeighbours = [&](int x, int y, auto visit) {
        const Cell around[4] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
        for (const Cell& cell : around) {
            if (cell.x >= 0 && cell.x <= lastX && cell.y >= 0 && cell.y <= lastY && open(cell.x, cell.y)) visit(cell);
        }
    };
    std::vector<bool> seen(static_cast<std::size_t>(kGridSize * kGridSize), false);
    const auto index = [](int x, int y) { return static_cast<std::size_t>(x * kGridSize + y); };
    std::vector<Cell> pending;
    for (int x = 0; x <= lastX; ++x) {
        for (int y = 0; y <= lastY; ++y) {
            if (!open(x, y)) continue;
            int neighbours = 0;
            openNeighbours(x, y, [&](Cell) { ++neighbours; });
            if (neighbours == 1) ++report.deadEnds;
            if (seen[index(x, y)]) continue;
            // A new region: flood it.
            ++report.openRegions;
            int size = 0;
            seen[index(x, y)] = true;
            pending.push_back({x, y});
            while (!pending.empty()) {
                const Cell cell = pending.back();
                pending.pop_back();
                ++size;
                openNeighbours(cell.x, cell.y, [&](Cell next) {
                    if (!seen[index(next.x, next.y)]) {
                        seen[index(next.x, next.y)] = true;
                        pending.push_back(next);
                    }
                });
            }
            if (size > report.largestRegion) report.largestRegion = size;
        }
    }
    return report;
}

std::string FormatReportText(const MazeReport& r) {
    const auto n = [](int value) { return std::to_string(value); };
    return "  size: " + n(r.columns) + " x " + n(r.rows) + " cells\n" +
           "  cells: corridor " + n(r.corridor) + ", type-1 wall " + n(r.wall1) + ", type-2 wall " + n(r.wall2) +
           ", pillar " + n(r.pillar) + ", enemy " + n(r.enemy) + ", box " + n(r.box) + ", unreached hall " +
           n(r.unreachedHall) + "\n" + "  open regions: " + n(r.openRegions) + ", largest " + n(r.largestRegion) +
           " cells\n" + "  dead ends: " + n(r.deadEnds) + "\n" + "  data: " + n(r.bytesBytePerCell) +
           " bytes a byte per cell, " + n(r.bytesHalfBytePerCell) + " bytes a half-byte per cell\n";
}

std::string FormatReportJson(const MazeReport& r, std::uint64_t seed) {
    const auto n = [](int value) { return std::to_string(value); };
    return "{\"seed\":" + std::to_string(seed) + ",\"columns\":" + n(r.columns) + ",\"rows\":" + n(r.rows) +
           ",\"cells\":{\"corridor\":" + n(r.corridor) + ",\"wall1\":" + n(r.wall1) + ",\"wall2\":" + n(r.wall2) +
           ",\"pillar\":" + n(r.pillar) + ",\"enemy\":" + n(r.enemy) + ",\"box\":" + n(r.box) +
           ",\"unreached_hall\":" + n(r.unreachedHall) + "},\"open_regions\":" + n(r.openRegions) +
           ",\"largest_region\":" + n(r.largestRegion) + ",\"dead_ends\":" + n(r.deadEnds) +
           ",\"bytes\":{\"byte_per_cell\":" + n(r.bytesBytePerCell) + ",\"half_byte_per_cell\":" +
           n(r.bytesHalfBytePerCell) + "}}\n";
}

}  // namespace zxmaze
