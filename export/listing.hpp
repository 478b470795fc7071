#pragma once

#include <array>
#include <string>

#include "generator/host.hpp"
#include "generator/maze_grid.hpp"

namespace zxmaze {

// The six code texts, in the order of CodeField.
using CodeTexts = std::array<std::string, 6>;

CodeTexts ReadCodeTexts(const Host& host);

// The Z80 assembler listing of the maze of columns 0..lastX and rows 0..lastY: a size comment, an
// empty line and one "defb " line per row, every line ending in CR LF. With an odd number of
// columns the half-byte coding pairs the last column with the one just right of the maze.
std::string FormatListing(const MazeGrid& grid, int lastX, int lastY, FileCoding coding, const CodeTexts& texts);

}  // namespace zxmaze
