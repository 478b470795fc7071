#pragma once

#include "generator/host.hpp"
#include "generator/maze_grid.hpp"
#include "generator/settings.hpp"

namespace zxmaze {

// Writes the listing of the finished maze to the host's listing path, replacing the file whole
// or leaving the previous one untouched. Throws MazeError on failure.
void ExportMaze(const Host& host, const MazeGrid& grid, const GeneratorSettings& settings);

}  // namespace zxmaze
