// Properties every grown maze has, checked on seeded runs of many shapes in both node modes: the
// node list empties, corridors are one cell wide and form a tree, halls open whole or not at all,
// and decoration keeps to its rules and its number of draws.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <queue>
#include <set>

#include "generator/maze_generator.hpp"
#include "support/fake_host.hpp"
#include "support/grid_text.hpp"

namespace zxmaze::testing {
namespace {

struct GrowthCase {
    int columns;
    int rows;
    bool randomNodes;
    int keep;
    int sameDirection;
    int attempts;
    int halls;
    std::uint64_t seed;
};

std::string Name(const GrowthCase& c) {
    return std::to_string(c.columns) + "x" + std::to_string(c.rows) +
           (c.randomNodes ? "_random" + std::to_string(c.keep) : "_newest") + "_same" +
           std::to_string(c.sameDirection) + "_attempts" + std::to_string(c.attempts) + "_halls" +
           std::to_string(c.halls) + "_seed" + std::to_string(c.seed);
}

// The phases of a run up to the end of the growth, settings set directly.
std::unique_ptr<MazeGenerator> GrowUpTo(const GrowthCase& c, std::unique_ptr<MazeGrid>* afterHalls = nullptr) {
    auto generator = std::make_unique<MazeGenerator>();
    generator->SetRandomNodeMode(c.randomNodes);
    GeneratorSettings& s = generator->MutableSettings();
    s.LastX = static_cast<std::uint8_t>(c.columns - 1);
    s.LastY = static_cast<std::uint8_t>(c.rows - 1);
    s.KeepCorridorPercent = static_cast<std::uint8_t>(c.keep);
    s.SameDirectionPercent = static_cast<std::uint8_t>(c.sameDirection);
    s.AttemptsPerNode = static_cast<std::uint8_t>(c.attempts);
    s.HallCount = static_cast<std::uint16_t>(c.halls);
    s.MaxHallSize = 5;
    s.PillarPercent = 100;
    s.Wall2Percent = 20;
    s.EnemyLeftPercent = 2;
    s.EnemyRightPercent = 6;
    s.BoxPercent = 1;
    s.StepDelay = kStepDelay;
    generator->Random().Reseed(c.seed);
    generator->ResetGrid();
    generator->OpenStartCell();
    generator->PlaceHalls();
    if (afterHalls != nullptr) *afterHalls = std::make_unique<MazeGrid>(generator->Grid());
    FakeHost host;
    generator->GrowCorridors(host);
    return generator;
}

struct Shape {
    int columns;
    int rows;
};

void PrintTo(const Shape& shape, std::ostream* os) { *os << shape.columns << "x" << shape.rows; }

// Node modes and growth settings, each tried with and without halls on every shape.
std::vector<GrowthCase> CasesFor(const Shape& shape) {
    struct Mode {
        bool randomNodes;
        int keep;
        int sameDirection;
        int attempts;
    };
    const Mode modes[] = {{false, 50, 90, 10}, {true, 50, 90, 10}, {true, 0, 0, 1}, {false, 0, 99, 0},
                          {true, 99, 50, 255}};
    std::vector<GrowthCase> cases;
    auto seed = static_cast<std::uint64_t>(shape.columns * 1000 + shape.rows);
    for (const Mode& mode : modes) {
        for (const int halls : {0, 50}) {
            cases.push_back({shape.columns, shape.rows, mode.randomNodes, mode.keep, mode.sameDirection,
                             mode.attempts, halls, seed++});
        }
    }
    return cases;
}

class Growth : public ::testing::TestWithParam<Shape> {};

TEST_P(Growth, EndsWithAnEmptyNodeListAndABoundedMaximum) {
    for (const GrowthCase& c : CasesFor(GetParam())) {
        SCOPED_TRACE(Name(c));
        const auto generator = GrowUpTo(c);
        EXPECT_EQ(generator->Nodes().Count(), 0);
        EXPECT_GE(generator->State().MaxNodeCount, 1);
        EXPECT_LE(generator->State().MaxNodeCount, 1 + c.columns * c.rows);
    }
}

// Without halls every cell opens from a neighbouring node and touches no other open cell at that
// moment, so the open cells form a tree: connected from (1, 1), one fewer side-by-side pair than
// cells, hence never two corridors side by side and never a 2 x 2 open square. The border is
// never opened (the start cell lies on it in a maze of two columns or rows).
TEST_P(Growth, WithoutHallsCorridorsFormATreeInsideTheBorder) {
    for (GrowthCase c : CasesFor(GetParam())) {
        if (c.halls != 0) continue;
        SCOPED_TRACE(Name(c));
        const auto generator = GrowUpTo(c);
        const MazeGrid& grid = generator->Grid();
        const int lastX = c.columns - 1;
        const int lastY = c.rows - 1;
        int open = 0;
        int pairs = 0;
        for (int x = 0; x <= lastX; ++x) {
            for (int y = 0; y <= lastY; ++y) {
                const std::uint8_t value = grid.At(x, y);
                ASSERT_LE(value, 1) << "cell (" << x << ", " << y << ")";
                if (value != ccCorridor) continue;
                ++open;
                const bool inner = x >= 1 && x <= lastX - 1 && y >= 1 && y <= lastY - 1;
                ASSERT_TRUE(inner || (x == 1 && y == 1)) << "open border cell (" << x << ", " << y << ")";
                if (x < lastX && grid.At(x + 1, y) == ccCorridor) ++pairs;
                if (y < lastY && grid.At(x, y + 1) == ccCorridor) ++pairs;
            }
        }
        EXPECT_EQ(pairs, open - 1);
        EXPECT_LE(generator->State().MaxNodeCount, open);

        std::set<std::pair<int, int>> reached = {{1, 1}};
        std::queue<std::pair<int, int>> queue;
        queue.push({1, 1});
        while (!queue.empty()) {
            const auto [x, y] = queue.front();
            queue.pop();
            for (const auto& [dx, dy] : {std::pair{1, 0}, std::pair{-1, 0}, std::pair{0, 1}, std::pair{0, -1}}) {
                const int nx = x + dx;
                const int ny = y + dy;
                if (nx < 0 || ny < 0 || nx > lastX || ny > lastY || grid.At(nx, ny) != ccCorridor) continue;
                if (reached.insert({nx, ny}).second) queue.push({nx, ny});
            }
        }
        EXPECT_EQ(static_cast<int>(reached.size()), open);
    }
}

// A hall opens whole, all its pieces at once, or stays as it was marked.
TEST_P(Growth, HallsOpenWholeOrNotAtAll) {
    for (const GrowthCase& c : CasesFor(GetParam())) {
        if (c.halls == 0) continue;
        SCOPED_TRACE(Name(c));
        std::unique_ptr<MazeGrid> marked;
        const auto generator = GrowUpTo(c, &marked);
        std::map<int, std::set<std::pair<int, int>>> before;
        std::map<int, std::set<std::pair<int, int>>> after;
        for (int x = 0; x < c.columns; ++x) {
            for (int y = 0; y < c.rows; ++y) {
                if (marked->At(x, y) >= 2) before[marked->At(x, y)].insert({x, y});
                const std::uint8_t now = generator->Grid().At(x, y);
                ASSERT_TRUE(now == ccCorridor || now == marked->At(x, y) || marked->At(x, y) == ccWall1)
                    << "cell (" << x << ", " << y << ") went from " << int(marked->At(x, y)) << " to " << int(now);
                if (now >= 2) after[now].insert({x, y});
            }
        }
        for (const auto& [number, cells] : after) EXPECT_EQ(cells, before[number]) << "hall number " << number;
    }
}

// Decoration: a fixed number of draws, the border untouched, and each cell changes only as its
// rules allow: type-1 wall to type-2 wall or pillar, open cell to pillar, enemy or box, hall number
// to pillar. Pillars never touch, not even at a corner.
TEST_P(Growth, DecorationKeepsItsRules) {
    for (const GrowthCase& c : CasesFor(GetParam())) {
        SCOPED_TRACE(Name(c));
        const auto generator = GrowUpTo(c);
        const auto grown = std::make_unique<MazeGrid>(generator->Grid());
        const RandomSource before = generator->Random();
        generator->DecorateMaze();
        const long inner = static_cast<long>(c.columns - 2) * (c.rows - 2);
        EXPECT_EQ(DrawsBetween(before, generator->Random(), 3 * inner + 10), 3 * inner);

        const MazeGrid& grid = generator->Grid();
        for (int x = 0; x < c.columns; ++x) {
            for (int y = 0; y < c.rows; ++y) {
                const std::uint8_t was = grown->At(x, y);
                const std::uint8_t now = grid.At(x, y);
                const bool border = x == 0 || y == 0 || x == c.columns - 1 || y == c.rows - 1;
                if (border || now == was) {
                    ASSERT_EQ(now, was) << "cell (" << x << ", " << y << ")";
                    continue;
                }
                if (was == ccWall1) {
                    ASSERT_TRUE(now == ccWall2 || now == ccPillar) << x << ", " << y;
                } else if (was == ccCorridor) {
                    ASSERT_TRUE(now == ccPillar || now == ccEnemy || now == ccBox) << x << ", " << y;
                } else {
                    ASSERT_EQ(now, ccPillar) << x << ", " << y;
                }
                if (now != ccPillar) continue;
                for (int dx = -1; dx <= 1; ++dx) {
                    for (int dy = -1; dy <= 1; ++dy) {
                        if (dx != 0 || dy != 0) {
                            ASSERT_NE(grid.At(x + dx, y + dy), ccPillar) << x << ", " << y;
                        }
                    }
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Shapes, Growth,
                         ::testing::Values(Shape{128, 64}, Shape{128, 128}, Shape{37, 20}, Shape{4, 4}, Shape{5, 9},
                                           Shape{2, 128}, Shape{128, 3}),
                         [](const auto& paramInfo) {
                             return std::to_string(paramInfo.param.columns) + "x" + std::to_string(paramInfo.param.rows);
                         });

// On a hand-made grid: the start node in column 1 and row 1 may not grow left or up, and right and
// down its look-ahead blocks reach the corridors of rows 1 and 3, so it opens nothing, however many
// attempts it makes.
TEST(GrowthByHand, OpensNothingBesideAnotherCorridor) {
    auto generator = std::make_unique<MazeGenerator>();
    GeneratorSettings& s = generator->MutableSettings();
    s.LastX = 6;
    s.LastY = 4;
    s.HallCount = 0;
    s.SameDirectionPercent = 0;
    s.AttemptsPerNode = 0;
    generator->ResetGrid();
    generator->OpenStartCell();
    const std::vector<std::string> maze = {"#######", "#.....#", "#######", "#.....#", "#######"};
    PaintCells(generator->MutableGrid(), maze);
    generator->Random().Reseed(5);
    const RandomSource before = generator->Random();
    FakeHost host;
    generator->GrowCorridors(host);
    EXPECT_EQ(DrawCells(generator->Grid(), 6, 4), maze);
    EXPECT_EQ(generator->State().MaxNodeCount, 1);
    EXPECT_EQ(generator->Nodes().Count(), 0);
    // 256 attempts: the first a percent draw and, unless it is 0, a direction; the 254 between a
    // direction each; the 256th, its 8-bit counter back at 0, the first attempt's rule again.
    RandomSource replay = before;
    Direction direction = Direction::None;
    const auto drawDirection = [&] {
        const Direction byDraw[4] = {Direction::Up, Direction::Down, Direction::Left, Direction::Right};
        direction = byDraw[static_cast<int>(replay.Real() * 4.0)];
    };
    if (replay.PercentDraw() > 0) drawDirection();
    for (int attempt = 2; attempt <= 255; ++attempt) drawDirection();
    if (replay.PercentDraw() > 0) drawDirection();
    EXPECT_EQ(DrawsBetween(generator->Random(), replay, 0), 0);
    EXPECT_EQ(generator->State().CurrentDirection, direction);
    EXPECT_EQ(generator->State().AttemptCounter, 0);
}

}  // namespace
}  // namespace zxmaze::testing
