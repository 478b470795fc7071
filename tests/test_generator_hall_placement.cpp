// Hall placement: four draws per hall, 8-bit wraps of spans and positions, later halls over earlier
// ones, the 255th hall's number 0, and halls too big for the maze or the grid.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <set>

#include "generator/maze_generator.hpp"
#include "preview/colours.hpp"
#include "support/fake_host.hpp"
#include "support/grid_text.hpp"

namespace zxmaze::testing {
namespace {

// The placement as the design states it, replayed on its own copy of the random source:
// spans trunc(R * (MaxHallSize - 2) + 3), positions trunc(R * (Last - span - 2) + 1), each kept in 8 bits.
struct HallDraw {
    int w;
    int h;
    int x0;
    int y0;
};

int Low8(double value) { return static_cast<std::uint8_t>(static_cast<std::int64_t>(std::trunc(value))); }

HallDraw NextHall(RandomSource& random, int maxHall, int lastX, int lastY) {
    HallDraw hall{};
    hall.w = Low8(random.Real() * (maxHall - 2) + 3);
    hall.h = Low8(random.Real() * (maxHall - 2) + 3);
    hall.x0 = Low8(random.Real() * (lastX - hall.w - 2) + 1);
    hall.y0 = Low8(random.Real() * (lastY - hall.h - 2) + 1);
    return hall;
}

struct PlacementCase {
    const char* name;
    int columns;
    int rows;
    int hallCount;  // as stored: 16 bits
    int maxHall;
    std::uint64_t seed;
};

void PrintTo(const PlacementCase& c, std::ostream* os) { *os << c.name; }

// What the replay saw, so each case can show it reached the situation it is named for.
struct ModelNotes {
    int placed = 0;
    bool cutAtGridEdge = false;
    bool markedNothing = false;
    bool pastTheMaze = false;
};

std::unique_ptr<MazeGrid> ExpectedGrid(const MazeGrid& start, const PlacementCase& c, ModelNotes& notes) {
    auto grid = std::make_unique<MazeGrid>(start);
    RandomSource random;
    random.Reseed(c.seed);
    const int halls = c.hallCount % 256;
    for (int k = 1; k <= halls; ++k) {
        const HallDraw hall = NextHall(random, c.maxHall, c.columns - 1, c.rows - 1);
        const int endX = (hall.x0 + hall.w) % 256;
        const int endY = (hall.y0 + hall.h) % 256;
        notes.markedNothing |= endX < hall.x0 || endY < hall.y0;
        for (int x = hall.x0; x <= endX; ++x) {
            for (int y = hall.y0; y <= endY; ++y) {
                if (x >= kGridSize || y >= kGridSize) {
                    notes.cutAtGridEdge = true;
                    continue;
                }
                notes.pastTheMaze |= x >= c.columns || y >= c.rows;
                grid->At(x, y) = static_cast<std::uint8_t>((k + 1) % 256);
            }
        }
        ++notes.placed;
    }
    return grid;
}

class Placement : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(Placement, MarksTheDrawnRectanglesAndNothingElse) {
    ModelNotes notes;
    for (const std::uint64_t seed : {3ULL, 4ULL, 5ULL}) {
        PlacementCase c = GetParam();
        c.seed = seed;
        SCOPED_TRACE("seed " + std::to_string(seed));
        auto generator = std::make_unique<MazeGenerator>();
        // Something left over from an earlier, larger maze, to show what a hall may overwrite past the maze.
        for (int x = 0; x < kGridSize; ++x) {
            for (int y = 0; y < kGridSize; ++y) {
                generator->MutableGrid().At(x, y) = static_cast<std::uint8_t>((x + y) % 7);
            }
        }
        GeneratorSettings& settings = generator->MutableSettings();
        settings.LastX = static_cast<std::uint8_t>(c.columns - 1);
        settings.LastY = static_cast<std::uint8_t>(c.rows - 1);
        settings.HallCount = static_cast<std::uint16_t>(c.hallCount);
        settings.MaxHallSize = static_cast<std::uint8_t>(c.maxHall);
        generator->ResetGrid();
        generator->OpenStartCell();
        const MazeGrid start = generator->Grid();
        const auto picture = generator->Preview().Pixels();
        const auto nodes = std::make_unique<NodeList>(generator->Nodes());
        const auto grown = std::make_unique<MazeGrid>(generator->GridAfterGrowth());
        const GeneratorSettings settingsBefore = generator->Settings();
        generator->Random().Reseed(c.seed);
        const RandomSource before = generator->Random();

        generator->PlaceHalls();

        const auto expected = ExpectedGrid(start, c, notes);
        for (int x = 0; x < kGridSize; ++x) {
            for (int y = 0; y < kGridSize; ++y) {
                ASSERT_EQ(generator->Grid().At(x, y), expected->At(x, y)) << "cell (" << x << ", " << y << ")";
            }
        }
        EXPECT_EQ(DrawsBetween(before, generator->Random(), 1100), 4 * (c.hallCount % 256));
        EXPECT_EQ(generator->Preview().Pixels(), picture) << "marking a hall paints nothing";
        // Placing halls writes the grid and nothing else: a write past the grid's last column or
        // row would land in the data kept beside it.
        ASSERT_EQ(generator->Nodes().Count(), 1);
        for (int k = 0; k < 65536; ++k) {
            const auto number = static_cast<std::uint16_t>(k);
            ASSERT_EQ(generator->Nodes().Entry(number).x, nodes->Entry(number).x) << k;
            ASSERT_EQ(generator->Nodes().Entry(number).y, nodes->Entry(number).y) << k;
        }
        for (int x = 0; x < kGridSize; ++x) {
            for (int y = 0; y < kGridSize; ++y) {
                ASSERT_EQ(generator->GridAfterGrowth().At(x, y), grown->At(x, y)) << "cell (" << x << ", " << y << ")";
            }
        }
        EXPECT_EQ(generator->Settings().LastX, settingsBefore.LastX);
        EXPECT_EQ(generator->Settings().HallCount, settingsBefore.HallCount);
        EXPECT_EQ(generator->Settings().MaxHallSize, settingsBefore.MaxHallSize);
        EXPECT_EQ(generator->State().MaxNodeCount, 1);
    }

    const std::string name = GetParam().name;
    if (name.find("CutAtTheGridEdge") != std::string::npos) {
        EXPECT_TRUE(notes.cutAtGridEdge);
    }
    if (name.find("NegativeStart") != std::string::npos) {
        EXPECT_TRUE(notes.markedNothing);
    }
    if (name.find("PastTheMaze") != std::string::npos) {
        EXPECT_TRUE(notes.pastTheMaze);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, Placement,
    ::testing::Values(PlacementCase{"Default", 128, 64, 50, 5, 0}, PlacementCase{"CrowdedSmallMaze", 12, 10, 40, 5, 0},
                      PlacementCase{"NegativeStartAndPastTheMaze", 3, 3, 12, 5, 0},
                      PlacementCase{"NegativeStartInNarrowMaze", 2, 40, 12, 6, 0},
                      PlacementCase{"CutAtTheGridEdge255", 128, 128, 40, 255, 0},
                      PlacementCase{"MaxHall200CutAtTheGridEdge", 128, 128, 40, 200, 0},
                      PlacementCase{"MaxHall127FillsTheGrid", 128, 128, 40, 127, 0},
                      PlacementCase{"MaxHall128", 128, 128, 40, 128, 0},
                      PlacementCase{"MaxHall250InASmallMaze", 20, 20, 40, 250, 0},
                      PlacementCase{"MaxHall0", 30, 30, 12, 0, 0}, PlacementCase{"MaxHall1", 30, 30, 12, 1, 0},
                      PlacementCase{"MaxHall2", 30, 30, 12, 2, 0}, PlacementCase{"MaxHall3", 30, 30, 12, 3, 0},
                      PlacementCase{"Halls255LastIsNumberZero", 128, 128, 255, 5, 0},
                      PlacementCase{"HallsMinus1Is255", 128, 128, 65535, 5, 0},
                      PlacementCase{"Halls300Is44", 64, 64, 300, 5, 0},
                      PlacementCase{"Halls256IsNone", 64, 64, 256, 5, 0},
                      PlacementCase{"Halls512IsNone", 64, 64, 512, 5, 0}),
    [](const auto& paramInfo) { return std::string(paramInfo.param.name); });

// Worked by hand from the first eight outputs of seed 0 (r = 0.8833, 0.4315, 0.0264, 0.9709,
// 0.1063, 0.3273, 0.1739, 0.7715) in a 20 x 20 maze with MaxHallSize 5:
//   hall 1: w = trunc(0.8833 * 3 + 3) = 5, h = trunc(0.4315 * 3 + 3) = 4,
//           x0 = trunc(0.0264 * 12 + 1) = 1, y0 = trunc(0.9709 * 13 + 1) = 13: columns 1..6, rows 13..17;
//   hall 2: w = 3, h = 3, x0 = trunc(0.1739 * 14 + 1) = 3, y0 = trunc(0.7715 * 14 + 1) = 11:
//           columns 3..6, rows 11..14, over part of hall 1.
TEST(PlacementByHand, SecondHallOverwritesTheFirstWhereTheyMeet) {
    auto generator = std::make_unique<MazeGenerator>();
    GeneratorSettings& settings = generator->MutableSettings();
    settings.LastX = 19;
    settings.LastY = 19;
    settings.HallCount = 2;
    settings.MaxHallSize = 5;
    generator->ResetGrid();
    generator->OpenStartCell();
    generator->Random().Reseed(0);
    generator->PlaceHalls();

    const std::string walls(20, '1');
    const std::vector<std::string> expected = {
        walls, "10111111111111111111", walls, walls, walls, walls, walls, walls, walls, walls, walls,
        "11133331111111111111", "11133331111111111111", "12233331111111111111", "12233331111111111111",
        "12222221111111111111", "12222221111111111111", "12222221111111111111", walls, walls,
    };
    EXPECT_EQ(DrawValues(generator->Grid(), 19, 19), expected);
}

// One hall per seed, measured in the grid: the spans each MaxHallSize gives, and where a hall that
// fits may lie (columns 1..LastX - 2, rows 1..LastY - 2).
struct SpanCase {
    int maxHall;
    std::set<int> spans;
};

void PrintTo(const SpanCase& c, std::ostream* os) { *os << "MaxHallSize " << c.maxHall; }

class HallSpans : public ::testing::TestWithParam<SpanCase> {};

TEST_P(HallSpans, AreTheOnesTheSizeAllows) {
    std::set<int> seen;
    for (std::uint64_t seed = 0; seed < 60; ++seed) {
        auto generator = std::make_unique<MazeGenerator>();
        GeneratorSettings& settings = generator->MutableSettings();
        settings.LastX = 39;
        settings.LastY = 29;
        settings.HallCount = 1;
        settings.MaxHallSize = static_cast<std::uint8_t>(GetParam().maxHall);
        generator->ResetGrid();
        generator->OpenStartCell();
        generator->Random().Reseed(seed);
        generator->PlaceHalls();

        int left = 99, right = -1, top = 99, bottom = -1, cells = 0;
        for (int x = 0; x <= 39; ++x) {
            for (int y = 0; y <= 29; ++y) {
                if (generator->Grid().At(x, y) != 2) continue;
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                ++cells;
            }
        }
        ASSERT_GT(cells, 0) << "seed " << seed;
        EXPECT_EQ(cells, (right - left + 1) * (bottom - top + 1)) << "a hall is one rectangle, seed " << seed;
        EXPECT_GE(left, 1);
        EXPECT_LE(right, 37);
        EXPECT_GE(top, 1);
        EXPECT_LE(bottom, 27);
        seen.insert(right - left + 1);
        seen.insert(bottom - top + 1);
    }
    EXPECT_EQ(seen, GetParam().spans);
}

INSTANTIATE_TEST_SUITE_P(Table, HallSpans,
                         ::testing::Values(SpanCase{0, {2, 3}}, SpanCase{1, {3}}, SpanCase{2, {4}}, SpanCase{3, {4}},
                                           SpanCase{5, {4, 5, 6}}, SpanCase{8, {4, 5, 6, 7, 8, 9}}));

// The 255th hall's number wraps to 0: its cells are open from the start without being nodes, and
// stay blue in the picture.
TEST(LastHall, NumberZeroOpensCellsWithoutNodesOrPaint) {
    auto generator = std::make_unique<MazeGenerator>();
    GeneratorSettings& settings = generator->MutableSettings();
    settings.LastX = 127;
    settings.LastY = 127;
    settings.HallCount = 255;
    settings.MaxHallSize = 5;
    generator->ResetGrid();
    generator->OpenStartCell();
    generator->Random().Reseed(8);
    generator->PlaceHalls();

    const auto pixels = generator->Preview().Pixels();
    int open = 0;
    for (int x = 0; x <= 127; ++x) {
        for (int y = 0; y <= 127; ++y) {
            if (generator->Grid().At(x, y) != ccCorridor || (x == 1 && y == 1)) continue;
            ++open;
            const std::size_t at = (static_cast<std::size_t>(4 * y + 1) * 600 + static_cast<std::size_t>(4 * x + 1)) * 3;
            EXPECT_EQ(pixels[at + 2], 255);
            EXPECT_EQ(pixels[at], 0) << "cell (" << x << ", " << y << ") should still look like a wall";
        }
    }
    EXPECT_GE(open, 16) << "the last hall should own at least 4 x 4 cells";
    EXPECT_EQ(generator->Nodes().Count(), 1);
}

// Six by six with MaxHallSize 2: the span is always 4 and the room left is 0, so the one hall starts
// at (1, 1) and covers the start cell. The start cell stays node 1 and painted open; when the hall
// opens it is appended again with the other 15 cells.
TEST(StartCellInAHall, IsANodeTwiceAndTheHallOpensWhole) {
    auto generator = std::make_unique<MazeGenerator>();
    GeneratorSettings& settings = generator->MutableSettings();
    settings.LastX = 5;
    settings.LastY = 5;
    settings.HallCount = 1;
    settings.MaxHallSize = 2;
    settings.SameDirectionPercent = 90;
    settings.AttemptsPerNode = 0;
    settings.PillarPercent = 100;
    generator->ResetGrid();
    generator->OpenStartCell();
    generator->Random().Reseed(13);
    generator->PlaceHalls();
    EXPECT_EQ(DrawValues(generator->Grid(), 5, 5),
              (std::vector<std::string>{"111111", "122221", "122221", "122221", "122221", "111111"}));
    EXPECT_EQ(generator->Nodes().Count(), 1);
    EXPECT_EQ(generator->Nodes().Entry(1).x, 1);
    EXPECT_EQ(generator->Nodes().Entry(1).y, 1);
    const auto pixels = generator->Preview().Pixels();
    EXPECT_EQ(pixels[(5 * 600 + 5) * 3], 255) << "the start cell stays painted open";

    FakeHost host;
    generator->GrowCorridors(host);
    EXPECT_EQ(generator->State().MaxNodeCount, 17);
    EXPECT_EQ(generator->Nodes().Count(), 0);
    // The hall's cells were appended column by column, each column from the top. Nothing opened
    // after them and the newest node is always the one removed, so the list still holds them,
    // above its now empty end, in that order.
    for (int i = 0; i < 16; ++i) {
        const Node& node = generator->Nodes().Entry(static_cast<std::uint16_t>(2 + i));
        EXPECT_EQ(node.x, 1 + i / 4) << "entry " << 2 + i;
        EXPECT_EQ(node.y, 1 + i % 4) << "entry " << 2 + i;
    }
    generator->DecorateMaze();
    EXPECT_EQ(DrawCells(generator->Grid(), 5, 5),
              (std::vector<std::string>{"######", "#....#", "#.P..#", "#....#", "#....#", "######"}));
}

}  // namespace
}  // namespace zxmaze::testing
