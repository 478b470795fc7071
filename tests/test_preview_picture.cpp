// The preview picture: 4 x 4 blocks in the colour of each element, white outside the maze, and no
// image until the first run.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>

#include "generator/maze_generator.hpp"
#include "preview/picture.hpp"
#include "support/fake_host.hpp"

namespace zxmaze::testing {
namespace {

struct Colour {
    int red;
    int green;
    int blue;
    bool operator==(const Colour&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Colour& c) {
    return os << "(" << c.red << ", " << c.green << ", " << c.blue << ")";
}

const Colour kWhite{255, 255, 255};
const Colour kBlue{0, 0, 255};
const Colour kGrey{128, 128, 128};

Colour At(const std::vector<std::uint8_t>& pixels, int px, int py) {
    const std::size_t at = (static_cast<std::size_t>(py) * 600 + static_cast<std::size_t>(px)) * 3;
    return {pixels[at], pixels[at + 1], pixels[at + 2]};
}

// The colour each cell value is shown in; hall numbers never reach the picture.
Colour ColourOfValue(std::uint8_t value) {
    switch (value) {
        case 0: return kWhite;
        case 1: return kBlue;
        case 2: return {255, 255, 0};
        case 3: return {0, 0, 0};
        case 4: return kGrey;
        case 6: return {255, 0, 0};
        default: return {-1, -1, -1};
    }
}

TEST(Picture, HasNoImageBeforeTheFirstClear) {
    Picture picture;
    EXPECT_FALSE(picture.HasImage());
    picture.Clear();
    EXPECT_TRUE(picture.HasImage());

    auto generator = std::make_unique<MazeGenerator>();
    EXPECT_FALSE(generator->Preview().HasImage());
}

struct PaintCase {
    CellCode code;
    Colour colour;
};

void PrintTo(const PaintCase& c, std::ostream* os) { *os << "code " << int(c.code); }

class PaintedBlock : public ::testing::TestWithParam<PaintCase> {};

// Cell (x, y) is pixel columns 4x..4x+3 and rows 4y..4y+3, wholly in the code's colour; nothing
// around it changes.
TEST_P(PaintedBlock, FillsExactlyTheCellsSixteenPixels) {
    for (const auto& [x, y] : {std::pair{1, 1}, std::pair{0, 0}, std::pair{127, 127}, std::pair{5, 120}}) {
        Picture picture;
        picture.Clear();
        picture.PaintCell(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y), GetParam().code);
        const auto pixels = picture.Pixels();
        ASSERT_EQ(pixels.size(), 600U * 600U * 3U);
        for (int py = 4 * y - 2; py <= 4 * y + 5; ++py) {
            for (int px = 4 * x - 2; px <= 4 * x + 5; ++px) {
                if (px < 0 || py < 0) continue;
                const bool inside = px >= 4 * x && px <= 4 * x + 3 && py >= 4 * y && py <= 4 * y + 3;
                EXPECT_EQ(At(pixels, px, py), inside ? GetParam().colour : kWhite)
                    << "pixel (" << px << ", " << py << ") for cell (" << x << ", " << y << ")";
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EachCode, PaintedBlock,
                         ::testing::Values(PaintCase{ccCorridor, kWhite}, PaintCase{ccWall1, kBlue},
                                           PaintCase{ccBox, {255, 255, 0}}, PaintCase{ccWall2, {0, 0, 0}},
                                           PaintCase{ccPillar, kGrey}, PaintCase{ccEnemy, {255, 0, 0}}));

TEST(Picture, LaterPaintWinsAndClearWhitensAll) {
    Picture picture;
    picture.Clear();
    picture.PaintCell(3, 4, ccCorridor);
    picture.PaintCell(3, 4, ccBox);
    EXPECT_EQ(At(picture.Pixels(), 13, 17), (Colour{255, 255, 0}));
    picture.PaintCell(127, 0, ccWall1);
    picture.Clear();
    const auto pixels = picture.Pixels();
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 255), 600 * 600 * 3);
}

// After a default-size run without halls every cell holds an element code: its block shows that
// code's colour; right of pixel column 511 and below pixel row 255 all is white.
TEST(RunPicture, ShowsEachCellInItsColourAndWhiteAroundTheMaze) {
    auto generator = std::make_unique<MazeGenerator>();
    FakeHost host;
    host.settings[SettingField::Edit6] = "0";
    host.settings[SettingField::Edit9] = "30";
    host.settings[SettingField::Edit10] = "10";
    host.settings[SettingField::Edit12] = "10";
    generator->Generate(host, 77);
    const auto pixels = generator->Preview().Pixels();
    for (int py = 0; py < 600; ++py) {
        for (int px = 0; px < 600; ++px) {
            const Colour expected = px < 512 && py < 256 ? ColourOfValue(generator->Grid().At(px / 4, py / 4)) : kWhite;
            ASSERT_EQ(At(pixels, px, py), expected) << "pixel (" << px << ", " << py << ")";
        }
    }
}

// A hall that no corridor reached keeps its number in the grid, but looks like a wall: blue, or grey
// where decoration put a pillar on it.
TEST(RunPicture, UnreachedHallsLookLikeWalls) {
    int unreached = 0;
    for (const std::uint64_t seed : {1ULL, 2ULL, 3ULL, 4ULL}) {
        auto generator = std::make_unique<MazeGenerator>();
        GeneratorSettings& s = generator->MutableSettings();
        s.LastX = 63;
        s.LastY = 63;
        s.HallCount = 60;
        s.MaxHallSize = 6;
        s.SameDirectionPercent = 90;
        s.AttemptsPerNode = 2;
        s.PillarPercent = 100;
        s.Wall2Percent = 100;
        s.StepDelay = kStepDelay;
        generator->Random().Reseed(seed);
        generator->ResetGrid();
        generator->OpenStartCell();
        generator->PlaceHalls();
        FakeHost host;
        generator->GrowCorridors(host);
        const MazeGrid grown = generator->Grid();
        generator->DecorateMaze();
        const auto pixels = generator->Preview().Pixels();
        for (int x = 0; x <= 63; ++x) {
            for (int y = 0; y <= 63; ++y) {
                if (grown.At(x, y) < 2) continue;
                ++unreached;
                const Colour shown = At(pixels, 4 * x, 4 * y);
                EXPECT_TRUE(shown == kBlue || (shown == kGrey && generator->Grid().At(x, y) == ccPillar))
                    << "cell (" << x << ", " << y << ") holding " << int(generator->Grid().At(x, y)) << " shows " << shown;
            }
        }
    }
    EXPECT_GT(unreached, 0) << "these runs should leave some hall unreached";
}

// The 255th hall's number is 0: open from the start but never painted, so blue, unless decoration
// puts an element on it.
TEST(RunPicture, TheLastOf255HallsStaysBlue) {
    auto generator = std::make_unique<MazeGenerator>();
    GeneratorSettings& s = generator->MutableSettings();
    s.LastX = 127;
    s.LastY = 127;
    s.HallCount = 255;
    s.MaxHallSize = 5;
    s.SameDirectionPercent = 90;
    s.AttemptsPerNode = 10;
    s.EnemyLeftPercent = 50;
    generator->Random().Reseed(8);
    generator->ResetGrid();
    generator->OpenStartCell();
    generator->PlaceHalls();
    const MazeGrid marked = generator->Grid();
    FakeHost host;
    generator->GrowCorridors(host);
    generator->DecorateMaze();
    const auto pixels = generator->Preview().Pixels();
    int cells = 0;
    for (int x = 0; x <= 127; ++x) {
        for (int y = 0; y <= 127; ++y) {
            if (marked.At(x, y) != ccCorridor || (x == 1 && y == 1)) continue;
            ++cells;
            const std::uint8_t now = generator->Grid().At(x, y);
            EXPECT_EQ(At(pixels, 4 * x, 4 * y), now == ccCorridor ? kBlue : ColourOfValue(now))
                << "cell (" << x << ", " << y << ")";
        }
    }
    EXPECT_GE(cells, 16);
}

}  // namespace
}  // namespace zxmaze::testing
