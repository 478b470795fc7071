#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "generator/maze_grid.hpp"
#include "generator/random_source.hpp"

namespace zxmaze::testing {

// Grids drawn as text, one string per row, the top row first:
//   '.' corridor, '#' type-1 wall, 'B' box, 'W' type-2 wall, 'P' pillar, 'E' enemy,
//   '0'..'9' that raw value (an unopened hall number such as 5 or 7).
// PaintCells writes the drawing into the grid with its top-left character at cell (left, top).
void PaintCells(MazeGrid& grid, const std::vector<std::string>& rows, int left = 0, int top = 0);

// Columns 0..lastX of rows 0..lastY in the same letters; a value with no letter is written as a digit
// when below 10, otherwise as '*'.
std::vector<std::string> DrawCells(const MazeGrid& grid, int lastX, int lastY);

// Columns 0..lastX of rows 0..lastY, each cell its value as one hexadecimal digit ('+' above 15):
// the view for hall numbers.
std::vector<std::string> DrawValues(const MazeGrid& grid, int lastX, int lastY);

// How many draws lead from `from` to `to`, or -1 when `to` is not reached within `limit` draws.
long DrawsBetween(RandomSource from, RandomSource to, long limit);

}  // namespace zxmaze::testing
