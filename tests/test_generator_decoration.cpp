// Decoration on hand-made grids: pillars in open rectangles, inner corners, the in-place sweep
// order, unopened hall cells, the left and right parts, and the draws behind every rule.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <tuple>

#include "generator/maze_generator.hpp"
#include "support/grid_text.hpp"

namespace zxmaze::testing {
namespace {

struct Percents {
    int pillar = 0;
    int wall2 = 0;
    int enemyLeft = 0;
    int enemyRight = 0;
    int box = 0;
};

// Decorates `maze` (a whole maze, border included) with the given percents.
std::unique_ptr<MazeGenerator> Decorated(const std::vector<std::string>& maze, const Percents& percents,
                                         std::uint64_t seed = 1) {
    auto generator = std::make_unique<MazeGenerator>();
    GeneratorSettings& s = generator->MutableSettings();
    s.LastX = static_cast<std::uint8_t>(maze[0].size() - 1);
    s.LastY = static_cast<std::uint8_t>(maze.size() - 1);
    s.PillarPercent = static_cast<std::uint8_t>(percents.pillar);
    s.Wall2Percent = static_cast<std::uint8_t>(percents.wall2);
    s.EnemyLeftPercent = static_cast<std::uint8_t>(percents.enemyLeft);
    s.EnemyRightPercent = static_cast<std::uint8_t>(percents.enemyRight);
    s.BoxPercent = static_cast<std::uint8_t>(percents.box);
    PaintCells(generator->MutableGrid(), maze);
    generator->Random().Reseed(seed);
    const RandomSource before = generator->Random();
    generator->DecorateMaze();
    const long inner = static_cast<long>(maze[0].size() - 2) * static_cast<long>(maze.size() - 2);
    EXPECT_EQ(DrawsBetween(before, generator->Random(), 3 * inner + 10), 3 * inner);
    return generator;
}

std::vector<std::string> Draw(const MazeGenerator& generator) {
    return DrawCells(generator.Grid(), generator.Settings().LastX, generator.Settings().LastY);
}

struct DecorationCase {
    const char* name;
    std::vector<std::string> maze;
    Percents percents;
    std::vector<std::string> expected;
};

void PrintTo(const DecorationCase& c, std::ostream* os) { *os << c.name; }

class Decoration : public ::testing::TestWithParam<DecorationCase> {};

TEST_P(Decoration, GivesTheExpectedMaze) {
    EXPECT_EQ(Draw(*Decorated(GetParam().maze, GetParam().percents)), GetParam().expected);
}

const Percents kPillarsOnly{100, 0, 0, 0, 0};
const Percents kWall2Only{0, 100, 0, 0, 0};

// Pillars in an open rectangle ringed by walls: its 2nd, 4th, ... column and row, off its outer ring.
INSTANTIATE_TEST_SUITE_P(
    PillarsInOpenRectangles, Decoration,
    ::testing::Values(
        DecorationCase{"FourByFourGetsOne",
                       {"######", "#....#", "#....#", "#....#", "#....#", "######"},
                       kPillarsOnly,
                       {"######", "#....#", "#.P..#", "#....#", "#....#", "######"}},
        DecorationCase{"FiveByFiveGetsFour",
                       {"#######", "#.....#", "#.....#", "#.....#", "#.....#", "#.....#", "#######"},
                       kPillarsOnly,
                       {"#######", "#.....#", "#.P.P.#", "#.....#", "#.P.P.#", "#.....#", "#######"}},
        DecorationCase{"SixBySixGetsFour",
                       {"########", "#......#", "#......#", "#......#", "#......#", "#......#", "#......#", "########"},
                       kPillarsOnly,
                       {"########", "#......#", "#.P.P..#", "#......#", "#.P.P..#", "#......#", "#......#", "########"}},
        DecorationCase{"SevenBySevenGetsNine",
                       {"#########", "#.......#", "#.......#", "#.......#", "#.......#", "#.......#", "#.......#",
                        "#.......#", "#########"},
                       kPillarsOnly,
                       {"#########", "#.......#", "#.P.P.P.#", "#.......#", "#.P.P.P.#", "#.......#", "#.P.P.P.#",
                        "#.......#", "#########"}},
        DecorationCase{"FourWideSixHighGetsTwo",
                       {"######", "#....#", "#....#", "#....#", "#....#", "#....#", "#....#", "######"},
                       kPillarsOnly,
                       {"######", "#....#", "#.P..#", "#....#", "#.P..#", "#....#", "#....#", "######"}},
        DecorationCase{"PercentZeroPlacesNone",
                       {"######", "#....#", "#....#", "#....#", "#....#", "######"},
                       Percents{0, 100, 0, 0, 0},
                       {"######", "#....#", "#....#", "#....#", "#....#", "######"}},
        // A wall with all eight neighbours open: one draw decides, pillar first, else type-2 wall.
        DecorationCase{"LoneWallBecomesAPillar",
                       {"#####", "#...#", "#.#.#", "#...#", "#####"},
                       Percents{100, 100, 0, 0, 0},
                       {"#####", "#...#", "#.P.#", "#...#", "#####"}},
        DecorationCase{"LoneWallWithoutPillarsBecomesAType2Wall",
                       {"#####", "#...#", "#.#.#", "#...#", "#####"},
                       kWall2Only,
                       {"#####", "#...#", "#.W.#", "#...#", "#####"}}),
    [](const auto& paramInfo) { return std::string(paramInfo.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Type2Walls, Decoration,
    ::testing::Values(
        // One open cell at (3, 3) in solid wall. (2, 2) has it below-right with type-1 walls right of
        // it and below it, which the sweep has not reached yet: an inner corner, kept. Its three
        // other diagonal neighbours were corners too before the sweep, but their cell above or to
        // the left turned into a type-2 wall first.
        DecorationCase{"InnerCornerKeepsItsWall",
                       {"######", "######", "######", "###.##", "######", "######"},
                       kWall2Only,
                       {"######", "#WWWW#", "#W#WW#", "#WW.W#", "#WWWW#", "######"}},
        // (2, 2) is an inner corner before the sweep (type-1 walls above and right, open above-right),
        // but the cell above it is visited first, matches no shape and turns into a type-2 wall:
        // then (2, 2) is no corner any more and turns too.
        DecorationCase{"EarlierChangesInTheSameSweepCount",
                       {"#####", "#.#.#", "#.###", "#...#", "#####"},
                       kWall2Only,
                       {"#####", "#.W.#", "#.WW#", "#...#", "#####"}},
        // An open corner of the border (as a hall reaching the border leaves it) makes the inner cell
        // diagonal to it an inner corner, one shape per corner; the border is never visited, so the
        // walls between them stay type-1 walls.
        DecorationCase{"EachShapeAtABorderCorner",
                       {".######.", "########", "########", "########", ".######."},
                       kWall2Only,
                       {".######.", "##WWWW##", "#WWWWWW#", "##WWWW##", ".######."}},
        DecorationCase{"PercentZeroPlacesNone",
                       {"#####", "#...#", "#.###", "#...#", "#####"},
                       Percents{0, 0, 0, 0, 0},
                       {"#####", "#...#", "#.###", "#...#", "#####"}}),
    [](const auto& paramInfo) { return std::string(paramInfo.param.name); });

// Cells still holding the number of an unopened hall: never an enemy, a box or a type-2 wall; a
// pillar only when all eight neighbours are open (its own value is not looked at).
INSTANTIATE_TEST_SUITE_P(
    UnopenedHalls, Decoration,
    ::testing::Values(
        DecorationCase{"EnemiesPassThemBy",
                       {"#######", "#.....#", "#.....#", "#..7..#", "#.....#", "#5....#", "#######"},
                       Percents{100, 100, 100, 100, 0},
                       {"#######", "#EEEEE#", "#EEEEE#", "#EEPEE#", "#EEEEE#", "#5EEEE#", "#######"}},
        DecorationCase{"BoxesPassThemBy",
                       {"#######", "#.....#", "#.....#", "#..7..#", "#.....#", "#5#...#", "#######"},
                       Percents{100, 100, 0, 0, 100},
                       {"#######", "#BBBBB#", "#BBBBB#", "#BBPBB#", "#BBBBB#", "#5WBBB#", "#######"}}),
    [](const auto& paramInfo) { return std::string(paramInfo.param.name); });

// The left part runs to column LastX div 2, the middle one included; the right part is the rest.
INSTANTIATE_TEST_SUITE_P(
    LeftAndRightParts, Decoration,
    ::testing::Values(DecorationCase{"ThreeColumnsLeftOnly", {"###", "#.#", "#.#", "###"}, Percents{0, 0, 100, 0, 0},
                                     {"###", "#E#", "#E#", "###"}},
                      DecorationCase{"ThreeColumnsHaveNoRightPart", {"###", "#.#", "#.#", "###"},
                                     Percents{0, 0, 0, 100, 0}, {"###", "#.#", "#.#", "###"}},
                      DecorationCase{"FourColumnsLeft", {"####", "#..#", "####"}, Percents{0, 0, 100, 0, 0},
                                     {"####", "#E.#", "####"}},
                      DecorationCase{"FourColumnsRight", {"####", "#..#", "####"}, Percents{0, 0, 0, 100, 0},
                                     {"####", "#.E#", "####"}},
                      DecorationCase{"SevenColumnsMiddleIsLeft", {"#######", "#.....#", "#######"},
                                     Percents{0, 0, 100, 0, 0}, {"#######", "#EEE..#", "#######"}},
                      DecorationCase{"SevenColumnsRight", {"#######", "#.....#", "#######"},
                                     Percents{0, 0, 0, 100, 0}, {"#######", "#...EE#", "#######"}},
                      DecorationCase{"BoxesNeverReplaceEnemies", {"#######", "#.....#", "#######"},
                                     Percents{0, 0, 100, 0, 100}, {"#######", "#EEEBB#", "#######"}},
                      DecorationCase{"TwoColumnsVisitNothing", {"##", "#."}, Percents{100, 100, 100, 100, 100},
                                     {"##", "#."}}),
    [](const auto& paramInfo) { return std::string(paramInfo.param.name); });

// Sweeps with percents in between, replayed: one percent draw per inner cell and sweep, columns
// outer, rows inner; rules fire on draws strictly below their percent.
TEST(DecorationDraws, FollowTheSweepOrder) {
    for (const std::uint64_t seed : {1ULL, 2ULL, 3ULL}) {
        // Solid wall: no cell has an open neighbour, so there is no pillar and no inner corner, and
        // each inner wall turns on its own draw.
        const std::vector<std::string> walls = {"#######", "#######", "#######", "#######", "#######"};
        const auto decorated = Decorated(walls, Percents{100, 37, 0, 0, 0}, seed);
        RandomSource replay;
        replay.Reseed(seed);
        std::vector<std::string> expected = walls;
        for (std::size_t x = 1; x <= 5; ++x) {
            for (std::size_t y = 1; y <= 3; ++y) {
                if (replay.PercentDraw() < 37) expected[y][x] = 'W';
            }
        }
        EXPECT_EQ(Draw(*decorated), expected) << "seed " << seed;

        const std::vector<std::string> open = {"#######", "#.....#", "#.....#", "#.....#", "#######"};
        const auto scattered = Decorated(open, Percents{0, 100, 40, 60, 50}, seed);
        replay.Reseed(seed);
        expected = open;
        for (int i = 0; i < 15; ++i) replay.PercentDraw();  // the first sweep changes nothing here
        for (const auto& [first, last, percent, mark] :
             {std::tuple{1, 3, 40, 'E'}, std::tuple{4, 5, 60, 'E'}, std::tuple{1, 5, 50, 'B'}}) {
            for (int x = first; x <= last; ++x) {
                for (std::size_t y = 1; y <= 3; ++y) {
                    const std::size_t column = static_cast<std::size_t>(x);
                    if (replay.PercentDraw() < percent && expected[y][column] == '.') expected[y][column] = mark;
                }
            }
        }
        EXPECT_EQ(Draw(*scattered), expected) << "seed " << seed;
    }
}

// Above 100 a percent fires on every cell, like 100.
TEST(DecorationDraws, PercentsAbove100FireAlways) {
    const std::vector<std::string> maze = {"######", "#....#", "#.##.#", "#....#", "######"};
    EXPECT_EQ(Draw(*Decorated(maze, Percents{255, 255, 200, 101, 0})),
              (std::vector<std::string>{"######", "#EEEE#", "#EWWE#", "#EEEE#", "######"}));
}

// Decoration paints what it changes, in the colour of the new code.
TEST(DecorationPaint, PaintsEachChangedCell) {
    const auto generator = Decorated({"#######", "#.....#", "#.#...#", "#.....#", "#######"}, Percents{0, 100, 100, 0, 0});
    const auto pixels = generator->Preview().Pixels();
    const auto colourAt = [&](int x, int y) {
        const std::size_t at = (static_cast<std::size_t>(4 * y + 2) * 600 + static_cast<std::size_t>(4 * x + 2)) * 3;
        return std::tuple{pixels[at], pixels[at + 1], pixels[at + 2]};
    };
    EXPECT_EQ(colourAt(2, 2), std::tuple(0, 0, 0)) << "type-2 wall";
    EXPECT_EQ(colourAt(1, 1), std::tuple(255, 0, 0)) << "enemy";
    EXPECT_EQ(colourAt(0, 0), std::tuple(255, 255, 255)) << "the border was not painted";
}

}  // namespace
}  // namespace zxmaze::testing
