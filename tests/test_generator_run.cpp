// Whole runs: the smallest mazes, state carried from one run to the next, the node choice's draws,
// and the step-by-step display.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>

#include "export/listing.hpp"
#include "generator/maze_generator.hpp"
#include "support/fake_host.hpp"
#include "support/grid_text.hpp"
#include "support/temp_dir.hpp"

namespace zxmaze::testing {
namespace {

FakeHost SmallMazeHost(const char* columns, const char* rows, const char* halls) {
    FakeHost host;
    host.settings[SettingField::Edit4] = columns;
    host.settings[SettingField::Edit5] = rows;
    host.settings[SettingField::Edit6] = halls;
    return host;
}

TEST(SmallestMaze, TwoByTwoWithoutHallsIsThreeWallsAndTheStartCell) {
    TempDir dir;
    auto generator = std::make_unique<MazeGenerator>();
    FakeHost host = SmallMazeHost("2", "2", "0");
    host.listingPath = dir.File("labirint.txt");
    ASSERT_TRUE(RunAndReport(*generator, host, 5));

    EXPECT_EQ(DrawCells(generator->Grid(), 1, 1), (std::vector<std::string>{"##", "#."}));
    EXPECT_EQ(generator->State().MaxNodeCount, 1);
    EXPECT_EQ(generator->Nodes().Count(), 0);
    EXPECT_EQ(host.status, "Maximal volume of nodes: 1");
    EXPECT_EQ(ReadFile(dir.File("labirint.txt")), "; maze 2x2\r\n\r\ndefb #01,#01\r\ndefb #01,#00\r\n");
}

// No direction test can pass at (1, 1) of a 3 x 3 maze: its blocks all reach past the maze.
TEST(SmallestMaze, ThreeByThreeRemovesTheStartNodeUngrown) {
    for (const bool randomNodes : {false, true}) {
        for (const char* attempts : {"1", "10", "0"}) {
            auto generator = std::make_unique<MazeGenerator>();
            generator->SetRandomNodeMode(randomNodes);
            FakeHost host = SmallMazeHost("3", "3", "0");
            host.settings[SettingField::Edit3] = attempts;
            generator->Generate(host, 6);
            EXPECT_EQ(DrawCells(generator->Grid(), 2, 2), (std::vector<std::string>{"###", "#.#", "###"}))
                << attempts;
            EXPECT_EQ(generator->State().MaxNodeCount, 1);
            EXPECT_EQ(generator->Nodes().Count(), 0);
            EXPECT_EQ(host.status, "Maximal volume of nodes: 1");
        }
    }
}

// --- A smaller maze after a larger one -------------------------------------------------------

TEST(SmallerAfterLarger, KeepsTheGridOutsideReadsColumnNineBackAndReplacesTheFileWhole) {
    TempDir dir;
    auto generator = std::make_unique<MazeGenerator>();
    FakeHost large = SmallMazeHost("128", "128", "50");
    large.listingPath = dir.File("labirint.txt");
    ASSERT_TRUE(RunAndReport(*generator, large, 17));
    const MazeGrid before = generator->Grid();

    FakeHost small = SmallMazeHost("9", "10", "0");
    small.listingPath = dir.File("labirint.txt");
    small.coding = FileCoding::fcHalfBytePerCell;
    ASSERT_TRUE(RunAndReport(*generator, small, 18));
    const MazeGrid& after = generator->Grid();

    for (int x = 0; x < kGridSize; ++x) {
        for (int y = 0; y < kGridSize; ++y) {
            if (x <= 8 && y <= 9) continue;
            ASSERT_EQ(after.At(x, y), before.At(x, y)) << "cell (" << x << ", " << y << ") outside the new maze";
        }
    }

    // Column 9 is outside the 9-column maze; the half-byte listing pairs column 8 with it.
    const std::string listing = ReadFile(dir.File("labirint.txt"));
    const std::string defaults[7] = {"0", "1", "5", "3", "2", "1", "4"};  // by value 0..6
    bool columnNineHeldMoreThanCorridors = false;
    std::vector<std::string> lines = {"; maze 9x10", ""};
    for (int y = 0; y <= 9; ++y) {
        std::string line = "defb ";
        for (int k = 0; k <= 4; ++k) {
            const auto text = [&](int x) {
                const std::uint8_t value = after.At(x, y);
                return value <= 6 ? defaults[value] : std::string("1");
            };
            line += "#" + text(2 * k) + text(2 * k + 1) + (k < 4 ? "," : "");
        }
        lines.push_back(line);
        columnNineHeldMoreThanCorridors |= before.At(9, y) != ccCorridor;
    }
    ASSERT_TRUE(columnNineHeldMoreThanCorridors) << "the large maze should leave something in column 9";
    std::string expected;
    for (const auto& line : lines) expected += line + "\r\n";
    EXPECT_EQ(listing, expected);

    // The picture shows only the new maze: every pixel right of column 35 or below row 39 is white.
    const auto pixels = generator->Preview().Pixels();
    for (int py = 0; py < 600; ++py) {
        for (int px = 0; px < 600; ++px) {
            if (px < 36 && py < 40) continue;
            const std::size_t at = (static_cast<std::size_t>(py) * 600 + static_cast<std::size_t>(px)) * 3;
            ASSERT_TRUE(pixels[at] == 255 && pixels[at + 1] == 255 && pixels[at + 2] == 255)
                << "pixel (" << px << ", " << py << ")";
        }
    }
}

// --- The direction carried over ----------------------------------------------------------------

// With one attempt per node and the direction always kept, growth runs straight on in the direction
// the generator starts with, until the maze's edge.
std::vector<std::string> StraightCorridor(Direction direction) {
    std::vector<std::string> rows(10, "##########");
    rows[1][1] = '.';
    for (int i = 2; i <= 8; ++i) {
        if (direction == Direction::Right) rows[1][static_cast<std::size_t>(i)] = '.';
        if (direction == Direction::Down) rows[static_cast<std::size_t>(i)][1] = '.';
    }
    return rows;
}

// No decoration, so the finished grid shows the corridors alone.
FakeHost KeepDirectionHost() {
    FakeHost host = SmallMazeHost("10", "10", "0");
    host.settings[SettingField::Edit3] = "1";
    host.settings[SettingField::Edit2] = "99";
    for (const SettingField field : {SettingField::Edit8, SettingField::Edit9, SettingField::Edit10,
                                     SettingField::Edit11, SettingField::Edit12}) {
        host.settings[field] = "0";
    }
    return host;
}

TEST(CarriedDirection, FirstRunAfterStartUpHasNoDirectionSoNoCorridors) {
    auto generator = std::make_unique<MazeGenerator>();
    FakeHost host = KeepDirectionHost();
    for (const std::uint64_t seed : {1ULL, 2ULL}) {
        generator->Generate(host, seed);
        EXPECT_EQ(DrawCells(generator->Grid(), 9, 9), StraightCorridor(Direction::None));
        EXPECT_EQ(generator->State().MaxNodeCount, 1);
        EXPECT_EQ(generator->State().CurrentDirection, Direction::None);
    }
}

TEST(CarriedDirection, LaterRunsStartWithTheDirectionTheLastOneEndedWith) {
    bool seen[5] = {};
    for (std::uint64_t seed = 1; seed <= 40; ++seed) {
        auto generator = std::make_unique<MazeGenerator>();
        FakeHost defaults = SmallMazeHost("10", "10", "0");
        generator->Generate(defaults, seed);
        const Direction carried = generator->State().CurrentDirection;
        ASSERT_NE(carried, Direction::None);
        seen[static_cast<int>(carried)] = true;

        FakeHost host = KeepDirectionHost();
        generator->Generate(host, seed + 1000);
        const bool grows = carried == Direction::Right || carried == Direction::Down;
        EXPECT_EQ(DrawCells(generator->Grid(), 9, 9), StraightCorridor(carried)) << "seed " << seed;
        EXPECT_EQ(generator->State().MaxNodeCount, grows ? 8 : 1) << "seed " << seed;
        EXPECT_EQ(generator->State().CurrentDirection, carried);
    }
    for (int d = 1; d <= 4; ++d) EXPECT_TRUE(seen[d]) << "no run ended with direction " << d;
}

// A generator whose last run ended heading right.
std::unique_ptr<MazeGenerator> HeadingRight() {
    for (std::uint64_t seed = 1;; ++seed) {
        auto generator = std::make_unique<MazeGenerator>();
        FakeHost host = SmallMazeHost("10", "10", "0");
        generator->Generate(host, seed);
        if (generator->State().CurrentDirection == Direction::Right) return generator;
    }
}

// --- The node choice ---------------------------------------------------------------------------

// The straight corridor again, now in the random node mode: it comes out the same, since only its
// newest node can grow, but the draws and the largest node count show how every node was chosen. Replayed here: a percent
// draw against KeepCorridorPercent, then for a random node trunc(r * NodeCount + 1), then the
// attempt's own percent draw.
struct NodeChoiceCase {
    bool randomNodes;
    int keep;
    std::uint64_t seed;
};

void PrintTo(const NodeChoiceCase& c, std::ostream* os) {
    *os << (c.randomNodes ? "random" : "newest") << " keep " << c.keep << " seed " << c.seed;
}

class NodeChoice : public ::testing::TestWithParam<NodeChoiceCase> {};

TEST_P(NodeChoice, TakesItsDrawsInOrder) {
    const NodeChoiceCase& c = GetParam();
    auto generator = HeadingRight();
    generator->SetRandomNodeMode(c.randomNodes);
    GeneratorSettings& settings = generator->MutableSettings();
    settings.LastX = 9;
    settings.LastY = 9;
    settings.KeepCorridorPercent = static_cast<std::uint8_t>(c.keep);
    settings.SameDirectionPercent = 99;
    settings.AttemptsPerNode = 1;
    settings.HallCount = 0;
    FakeHost host;
    generator->Random().Reseed(c.seed);
    generator->ResetGrid();
    generator->OpenStartCell();
    generator->PlaceHalls();
    generator->GrowCorridors(host);

    RandomSource model;
    model.Reseed(c.seed);
    int count = 1;
    int maxCount = 1;
    int newestX = 1;
    int choices = 0;
    while (count > 0) {
        int chosen = count;
        if (c.randomNodes && model.PercentDraw() > c.keep) {
            chosen = static_cast<int>(model.Real() * static_cast<double>(count) + 1.0);
        }
        model.PercentDraw();  // the attempt keeps the direction
        ++choices;
        // Every node but the newest has an open cell ahead, and the newest stops at column 8.
        if (chosen == count && newestX < 8) {
            maxCount = std::max(maxCount, ++count);
            ++newestX;
        } else {
            --count;
        }
    }
    EXPECT_EQ(DrawsBetween(generator->Random(), model, 0), 0) << "after " << choices << " node choices";
    EXPECT_EQ(DrawCells(generator->Grid(), 9, 9), StraightCorridor(Direction::Right));
    EXPECT_EQ(generator->State().MaxNodeCount, maxCount);
    EXPECT_EQ(generator->Nodes().Count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Table, NodeChoice,
                         ::testing::Values(NodeChoiceCase{false, 0, 1}, NodeChoiceCase{true, 99, 1},
                                           NodeChoiceCase{true, 255, 2}, NodeChoiceCase{true, 0, 3},
                                           NodeChoiceCase{true, 0, 4}, NodeChoiceCase{true, 30, 5},
                                           NodeChoiceCase{true, 50, 6}, NodeChoiceCase{true, 1, 7}));

// With the newest node always taken, the choice itself draws nothing: 15 choices (7 that open a
// cell, 8 that remove a node) take one draw each; the random node mode with KeepCorridorPercent of
// 99 or more takes the newest as well, but pays a percent draw for every choice.
TEST(NodeChoiceDraws, NewestNodeModeDrawsNothingToChoose) {
    for (const auto& [randomNodes, keep, draws] :
         std::vector<std::tuple<bool, int, long>>{{false, 0, 15}, {false, 255, 15}, {true, 99, 30}, {true, 255, 30}}) {
        auto generator = HeadingRight();
        generator->SetRandomNodeMode(randomNodes);
        GeneratorSettings& settings = generator->MutableSettings();
        settings.LastX = 9;
        settings.LastY = 9;
        settings.KeepCorridorPercent = static_cast<std::uint8_t>(keep);
        settings.SameDirectionPercent = 99;
        settings.AttemptsPerNode = 1;
        settings.HallCount = 0;
        FakeHost host;
        generator->Random().Reseed(9);
        generator->ResetGrid();
        generator->OpenStartCell();
        const RandomSource before = generator->Random();
        generator->GrowCorridors(host);
        EXPECT_EQ(DrawsBetween(before, generator->Random(), 100), draws) << randomNodes << " keep " << keep;
    }
}

// --- Step by step ------------------------------------------------------------------------------

const std::string kStepCaption = "\xd0\xbc\xd0\xb0\xd0\xba\xd1\x81.\xd0\xba\xd0\xbe\xd0\xbb\xd0\xb8\xd1\x87\xd0\xb5"
                                 "\xd1\x81\xd1\x82\xd0\xb2\xd0\xbe \xd1\x83\xd0\xb7\xd0\xbb\xd0\xbe\xd0\xb2: ";

TEST(StepByStep, CaptionIsTheRussianMaxNodeCountLabel) {
    EXPECT_EQ(kStepCaption, "макс.количество узлов: ");
}

// Each attempt shows the caption, repaints it, shows the picture, then waits StepDelay + 1 passes.
TEST(StepByStep, ShowsCaptionAndPictureAfterEveryAttempt) {
    auto generator = std::make_unique<MazeGenerator>();
    FakeHost host = SmallMazeHost("2", "2", "0");
    host.settings[SettingField::Edit3] = "3";
    host.stepByStep = true;
    generator->Generate(host, 12);

    std::vector<std::string> expected = {"refresh", "status:"};
    for (int attempt = 0; attempt < 3; ++attempt) {
        expected.insert(expected.end(), {"status:" + kStepCaption + "1", "repaint", "refresh"});
    }
    expected.push_back("status:Maximal volume of nodes: 1");
    EXPECT_EQ(host.events, expected);
    EXPECT_EQ(generator->State().DelayCounter, 10000001);
}

TEST(StepByStep, OffShowsNothingDuringTheRun) {
    auto generator = std::make_unique<MazeGenerator>();
    FakeHost host = SmallMazeHost("16", "12", "3");
    generator->Generate(host, 12);
    EXPECT_EQ(host.events, (std::vector<std::string>{"refresh", "status:",
                                                     "status:Maximal volume of nodes: " +
                                                         std::to_string(generator->State().MaxNodeCount)}));
}

// A maze that grows: the number in the caption follows MaxNodeCount and never goes down. (The
// phases are called directly with no pause, which a run always sets to 10,000,000 passes.)
TEST(StepByStep, CaptionCountsUpToTheFinalMaximum) {
    auto generator = std::make_unique<MazeGenerator>();
    GeneratorSettings& s = generator->MutableSettings();
    s.LastX = 11;
    s.LastY = 9;
    s.SameDirectionPercent = 90;
    s.AttemptsPerNode = 4;
    s.HallCount = 2;
    s.MaxHallSize = 4;
    s.StepDelay = 0;
    generator->Random().Reseed(2);
    generator->ResetGrid();
    generator->OpenStartCell();
    generator->PlaceHalls();
    FakeHost host;
    host.stepByStep = true;
    generator->GrowCorridors(host);

    int last = 0;
    int captions = 0;
    for (const auto& event : host.events) {
        if (event.rfind("status:" + kStepCaption, 0) != 0) continue;
        const int number = std::stoi(event.substr(7 + kStepCaption.size()));
        EXPECT_GE(number, last);
        last = number;
        ++captions;
    }
    EXPECT_EQ(last, generator->State().MaxNodeCount);
    EXPECT_GT(last, 4) << "the maze should have grown";
    EXPECT_EQ(host.statusRepaints, captions);
    EXPECT_EQ(host.pictureRefreshes, captions);
    EXPECT_EQ(generator->State().DelayCounter, 1);
}

// A host that says "step by step" but only counts: the display itself must not change the maze.
class CountingStepHost : public FakeHost {
public:
    CountingStepHost() { stepByStep = true; }
    void SetStatus(std::string_view) override {}
    void RepaintStatus() override { ++statusRepaints; }
    void RefreshPicture(const Picture&) override { ++pictureRefreshes; }
};

struct GrowthCase {
    int columns;
    int rows;
    int attempts;
    int sameDirection;
    bool randomNodes;
    int keep;
    int halls;
};

void PrintTo(const GrowthCase& c, std::ostream* os) {
    *os << c.columns << "x" << c.rows << " attempts " << c.attempts << " same " << c.sameDirection
        << (c.randomNodes ? " random keep " : " newest ") << c.keep << " halls " << c.halls;
}

class StepDisplay : public ::testing::TestWithParam<GrowthCase> {};

TEST_P(StepDisplay, GrowsTheSameMazeAsWithoutIt) {
    const GrowthCase& c = GetParam();
    auto stepped = std::make_unique<MazeGenerator>();
    auto plain = std::make_unique<MazeGenerator>();
    CountingStepHost stepHost;
    FakeHost plainHost;
    for (const std::uint64_t seed : {21ULL, 22ULL, 23ULL}) {  // consecutive growths carry the direction over
        for (MazeGenerator* generator : {stepped.get(), plain.get()}) {
            generator->SetRandomNodeMode(c.randomNodes);
            GeneratorSettings& s = generator->MutableSettings();
            s.LastX = static_cast<std::uint8_t>(c.columns - 1);
            s.LastY = static_cast<std::uint8_t>(c.rows - 1);
            s.AttemptsPerNode = static_cast<std::uint8_t>(c.attempts);
            s.SameDirectionPercent = static_cast<std::uint8_t>(c.sameDirection);
            s.KeepCorridorPercent = static_cast<std::uint8_t>(c.keep);
            s.HallCount = static_cast<std::uint16_t>(c.halls);
            s.MaxHallSize = 5;
            s.StepDelay = -1;  // no busy wait
            generator->Random().Reseed(seed);
            generator->ResetGrid();
            generator->OpenStartCell();
            generator->PlaceHalls();
        }
        stepped->GrowCorridors(stepHost);
        plain->GrowCorridors(plainHost);

        for (int x = 0; x < c.columns; ++x) {
            for (int y = 0; y < c.rows; ++y) {
                ASSERT_EQ(stepped->Grid().At(x, y), plain->Grid().At(x, y)) << "cell (" << x << ", " << y << ")";
            }
        }
        EXPECT_EQ(stepped->State().MaxNodeCount, plain->State().MaxNodeCount);
        EXPECT_EQ(stepped->State().CurrentDirection, plain->State().CurrentDirection);
        EXPECT_EQ(stepped->State().AttemptCounter, plain->State().AttemptCounter);
        EXPECT_EQ(DrawsBetween(stepped->Random(), plain->Random(), 0), 0);
    }
    EXPECT_EQ(plainHost.pictureRefreshes, 0);
    EXPECT_GT(stepHost.pictureRefreshes, 0);
    EXPECT_EQ(stepHost.statusRepaints, stepHost.pictureRefreshes);
}

INSTANTIATE_TEST_SUITE_P(Table, StepDisplay,
                         ::testing::Values(GrowthCase{20, 16, 10, 90, false, 50, 0},
                                           GrowthCase{20, 16, 10, 90, false, 50, 5},
                                           GrowthCase{20, 16, 1, 99, false, 50, 0},
                                           GrowthCase{20, 16, 1, 0, true, 50, 3},
                                           GrowthCase{16, 12, 0, 90, false, 50, 2},
                                           GrowthCase{16, 12, 0, 0, true, 0, 0},
                                           GrowthCase{16, 12, 255, 50, false, 50, 0},
                                           GrowthCase{16, 12, 254, 99, true, 99, 1},
                                           GrowthCase{24, 9, 2, 255, true, 10, 4}));

}  // namespace
}  // namespace zxmaze::testing
