// The maze report: counts on grids small enough to count by eye, and consistency on real runs.
#include <gtest/gtest.h>

#include <memory>

#include "generator/maze_generator.hpp"
#include "report/maze_report.hpp"
#include "support/cli_call.hpp"
#include "support/fake_host.hpp"
#include "support/grid_text.hpp"
#include "support/temp_dir.hpp"

namespace zxmaze::testing {
namespace {

// Two open regions (left: 7 cells with an enemy and a box, right: 2 cells), a pillar in a hall
// that was reached, a type-2 wall, and hall 7 that no corridor reached. Hall 3 was reached and
// decorated; hall 2's cell in the corner was never reached, so its "box" value is a hall cell.
const std::vector<std::string> kGrown = {
    "#########",
    "#...#..##",
    "#.#.#####",
    "#...#777#",
    "#######2#",
};
const std::vector<std::string> kFinished = {
    "#########",
    "#.E.#..W#",
    "#P#B#####",
    "#...#777#",
    "#######2#",
};

TEST(MazeReport, CountsAHandMadeGrid) {
    MazeGrid grown;
    MazeGrid finished;
    PaintCells(grown, kGrown);
    PaintCells(finished, kFinished);
    const MazeReport report = AnalyseMaze(finished, grown, 8, 4);

    EXPECT_EQ(report.columns, 9);
    EXPECT_EQ(report.rows, 5);
    EXPECT_EQ(report.corridor, 7);
    EXPECT_EQ(report.enemy, 1);
    EXPECT_EQ(report.box, 1);
    EXPECT_EQ(report.pillar, 1);
    EXPECT_EQ(report.wall2, 1);
    EXPECT_EQ(report.unreachedHall, 4);  // the three 7s and the 2 in the corner
    EXPECT_EQ(report.wall1, 45 - 7 - 1 - 1 - 1 - 1 - 4);
    EXPECT_EQ(report.openRegions, 2);
    EXPECT_EQ(report.largestRegion, 7);   // the ring on the left, split by the pillar into a U
    EXPECT_EQ(report.deadEnds, 4);        // both ends of the U, both cells of the pair on the right
    EXPECT_EQ(report.bytesBytePerCell, 45);
    EXPECT_EQ(report.bytesHalfBytePerCell, 25);
}

TEST(MazeReport, FormatsTextAndJson) {
    MazeReport report;
    report.columns = 3;
    report.rows = 2;
    report.corridor = 1;
    report.wall1 = 5;
    report.openRegions = 1;
    report.largestRegion = 1;
    report.bytesBytePerCell = 6;
    report.bytesHalfBytePerCell = 4;
    EXPECT_EQ(FormatReportText(report),
              "  size: 3 x 2 cells\n"
              "  cells: corridor 1, type-1 wall 5, type-2 wall 0, pillar 0, enemy 0, box 0, unreached hall 0\n"
              "  open regions: 1, largest 1 cells\n"
              "  dead ends: 0\n"
              "  data: 6 bytes a byte per cell, 4 bytes a half-byte per cell\n");
    EXPECT_EQ(FormatReportJson(report, 18446744073709551615ULL),
              "{\"seed\":18446744073709551615,\"columns\":3,\"rows\":2,\"cells\":{\"corridor\":1,\"wall1\":5,"
              "\"wall2\":0,\"pillar\":0,\"enemy\":0,\"box\":0,\"unreached_hall\":0},\"open_regions\":1,"
              "\"largest_region\":1,\"dead_ends\":0,\"bytes\":{\"byte_per_cell\":6,\"half_byte_per_cell\":4}}\n");
}

TEST(MazeReport, AddsUpOnRealRuns) {
    auto generator = std::make_unique<MazeGenerator>();
    FakeHost host;
    const char* const sizes[][2] = {{"128", "64"}, {"128", "128"}, {"37", "20"}, {"2", "2"}};
    std::uint64_t seed = 50;
    for (const auto& size : sizes) {
        host.settings[SettingField::Edit4] = size[0];
        host.settings[SettingField::Edit5] = size[1];
        host.settings[SettingField::Edit6] = "255";  // many halls, some left unreached
        generator->Generate(host, seed++);
        const auto& settings = generator->Settings();
        const MazeReport report =
            AnalyseMaze(generator->Grid(), generator->GridAfterGrowth(), settings.LastX, settings.LastY);
        const int cells = report.columns * report.rows;
        EXPECT_EQ(report.corridor + report.wall1 + report.wall2 + report.pillar + report.enemy + report.box +
                      report.unreachedHall,
                  cells);
        EXPECT_LE(report.largestRegion, report.corridor + report.enemy + report.box);
        EXPECT_GE(report.openRegions, report.corridor + report.enemy + report.box > 0 ? 1 : 0);
    }
}

TEST(MazeReport, CliPrintsItAfterEachRunLineAndNothingWithout) {
    TempDir dir;
    const CliCall plain = RunCliIn(dir.Path(), {"--seed", "8", "--count", "2"});
    EXPECT_EQ(plain.out.find("size:"), std::string::npos);
    const CliCall text = RunCliIn(dir.Path(), {"--seed", "8", "--count", "2", "--report"});
    ASSERT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out.rfind("seed 8: Maximal volume of nodes: ", 0), 0U);
    EXPECT_NE(text.out.find("\nseed 9: "), std::string::npos);
    EXPECT_NE(text.out.find("  size: 128 x 64 cells\n"), std::string::npos);
    const CliCall json = RunCliIn(dir.Path(), {"--seed", "8", "--report=json"});
    EXPECT_NE(json.out.find("\n{\"seed\":8,\"columns\":128,\"rows\":64,"), std::string::npos) << json.out;
}

}  // namespace
}  // namespace zxmaze::testing
