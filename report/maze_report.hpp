#pragma once

#include <cstdint>
#include <string>

#include "generator/maze_grid.hpp"

namespace zxmaze {

// Facts about a finished maze, for people choosing settings.
struct MazeReport {
    int columns = 0;
    int rows = 0;
    // Cells by element; they add up to columns * rows.
    int corridor = 0;
    int wall1 = 0;
    int wall2 = 0;
    int pillar = 0;
    int enemy = 0;
    int box = 0;
    int unreachedHall = 0;  // cells of halls no corridor reached: closed, written by their number
    // Open cells are those one can walk on: corridors, enemies and boxes.
    int openRegions = 0;    // groups of open cells joined side by side (not corner to corner)
    int largestRegion = 0;  // cells in the largest of them
    int deadEnds = 0;       // open cells with exactly one open neighbour side by side
    int bytesBytePerCell = 0;
    int bytesHalfBytePerCell = 0;
};

// `finished` is the grid after the run; `grown` the grid after the corridors grew, before the
// decoration, where every cell still closed by a hall number is a hall no corridor reached.
MazeReport AnalyseMaze(const MazeGrid& finished, const MazeGrid& grown, int lastX, int lastY);

// Plain lines, each starting with two spaces and ending with a line feed.
std::string FormatReportText(const MazeReport& report);
// One line of JSON.
std::string FormatReportJson(const MazeReport& report, std::uint64_t seed);

}  // namespace zxmaze
