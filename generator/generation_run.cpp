#include "export/export_maze.hpp"
#include "generator/maze_error.hpp"
#include "generator/maze_generator.hpp"
#include "generator/settings_intake.hpp"

namespace zxmaze {

void MazeGenerator::Run(Host& host, std::uint64_t seed) {
    Generate(host, seed);
    ExportMaze(host, grid_, settings_);
}

void MazeGenerator::Generate(Host& host, std::uint64_t seed) {
    random_.Reseed(seed);
    picture_.Clear();
    host.RefreshPicture(picture_);
    host.SetStatus("");

    ReadSettings(host, settings_);
    settings_.StepDelay = kStepDelay;

    ResetGrid();
    OpenStartCell();
    PlaceHalls();
    GrowCorridors(host);
    grown_ = grid_;
    host.SetStatus("Maximal volume of nodes: " + std::to_string(state_.MaxNodeCount));
    DecorateMaze();
}

// Every cell of the maze becomes a type-1 wall, and is painted so; the rest of the grid is kept.
void MazeGenerator::ResetGrid() {
    for (int x = 0; x <= settings_.LastX; ++x) {
        for (int y = 0; y <= settings_.LastY; ++y) grid_.At(x, y) = ccWall1;
    }
    picture_.PaintArea(settings_.LastX, settings_.LastY, ccWall1);
}

// Every maze grows from (1, 1), its only node at first.
void MazeGenerator::OpenStartCell() {
    nodes_.Reset(1, 1);
    state_.MaxNodeCount = 1;
    grid_.At(1, 1) = ccCorridor;
    picture_.PaintCell(1, 1, ccCorridor);
}

bool RunAndReport(MazeGenerator& generator, Host& host, std::uint64_t seed) {
    try {
        generator.Run(host, seed);
        return true;
    } catch (const MazeError& error) {
        host.ShowError(error.DisplayText());
        return false;
    }
}

}  // namespace zxmaze
