#pragma once

#include <array>
#include <cstdint>

#include "generator/generator_state.hpp"
#include "generator/host.hpp"
#include "generator/maze_grid.hpp"
#include "generator/node_list.hpp"
#include "generator/random_source.hpp"
#include "generator/settings.hpp"
#include "preview/picture.hpp"

namespace zxmaze {

// All state of the generator for as long as its owner (a window, a CLI call, a test) lives.
// Run() is one press of "Maze generation"; state carries over from one run to the next.
class MazeGenerator {
public:
    // One whole run: settings intake, grid reset, halls, corridors, decoration, listing.
    // Throws MazeError where the run stops; what it had done by then stays done.
    void Run(Host& host, std::uint64_t seed);
    // The run without its last step, the listing: everything up to the decorated maze.
    void Generate(Host& host, std::uint64_t seed);

    // The node-choice mode: false grows the newest node, true sometimes a random one.
    void SetRandomNodeMode(bool on) { state_.RandomNodeMode = on; }

    const MazeGrid& Grid() const { return grid_; }
    // The grid as the corridors left it, before the decoration: the halls still closed there are
    // the ones no corridor reached.
    const MazeGrid& GridAfterGrowth() const { return grown_; }
    const NodeList& Nodes() const { return nodes_; }
    const GeneratorState& State() const { return state_; }
    const GeneratorSettings& Settings() const { return settings_; }
    const Picture& Preview() const { return picture_; }

    // The phases, in the order Run() calls them; public so that they can be measured and tested
    // one by one. Each expects the phases before it to have run.
    void ResetGrid();
    void OpenStartCell();
    void PlaceHalls();
    void GrowCorridors(Host& host);
    void DecorateMaze();

    // Gives tests a hand-made grid and settings to work on.
    MazeGrid& MutableGrid() { return grid_; }
    GeneratorSettings& MutableSettings() { return settings_; }
    RandomSource& Random() { return random_; }

private:
    // The cells of one hall inside the maze, found again by CarveHall.
    struct HallBounds {
        int firstX = 0;
        int lastX = -1;
        int firstY = 0;
        int lastY = -1;
    };

    void ChooseNode();
    void MakeAttempts(Host& host);
    bool EndAttempt(Host& host, bool passed);
    void FailRemainingAttempts();
    unsigned OpenDirections() const;
    void CarveStep(Direction direction);
    void CarveHall();
    void OpenCell(int x, int y);
    void ShowStep(Host& host);
    void Decorate(int x, int y, CellCode code);

    MazeGrid grid_;
    MazeGrid grown_;
    NodeList nodes_;
    GeneratorState state_;
    GeneratorSettings settings_;
    Picture picture_;
    RandomSource random_;
    // By hall number: the rectangle each hall of this run was marked in, cut to the maze. Every
    // cell holding a hall's number lies in it, so CarveHall scans only that, in the same order.
    std::array<HallBounds, 256> hallBounds_{};
};

// One press as the user sees it: runs, and shows the error of a run that stops.
// Returns whether the run completed.
bool RunAndReport(MazeGenerator& generator, Host& host, std::uint64_t seed);

}  // namespace zxmaze
