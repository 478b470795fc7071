// Every setting over every value that matters, and every maze size from 0 to 400 columns and rows,
// run after run on one generator so that each run starts from what the runs before it left (large
// mazes first, then smaller ones over them). Under the sanitizers these runs prove that no value
// reads or writes outside the grid; besides, each run is held to what must hold whatever the
// values: the right refusal, an empty node list, an untouched margin around the grid, a grid left
// alone outside the maze where no hall can reach, and a value that equals another once wrapped
// giving exactly the same run.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "export/listing.hpp"
#include "generator/maze_error.hpp"
#include "generator/maze_generator.hpp"
#include "support/fake_host.hpp"

namespace zxmaze::testing {
namespace {

// The run's message, or nothing when the run went through.
std::optional<std::string> Generate(MazeGenerator& generator, FakeHost& host, std::uint64_t seed) {
    try {
        generator.Generate(host, seed);
        return std::nullopt;
    } catch (const MazeError& error) {
        return std::string(error.what());
    }
}

// The cells around the 128 x 128 grid that no run may ever write.
bool MarginUntouched(const MazeGrid& grid) {
    for (int x = -MazeGrid::kMarginColumns; x < kGridSize + MazeGrid::kMarginColumns; ++x) {
        for (int y = -MazeGrid::kMarginAbove; y < MazeGrid::kColumnStride - MazeGrid::kMarginAbove; ++y) {
            const bool inGrid = x >= 0 && x < kGridSize && y >= 0 && y < kGridSize;
            if (!inGrid && *grid.Cell(x, y) != 0) return false;
        }
    }
    return true;
}

// Whether the grid outside columns 0..lastX and rows 0..lastY is as in `before`. A column's cells
// lie one after the other, so each column's part outside the maze is one comparison.
bool SameOutsideMaze(const MazeGrid& now, const MazeGrid& before, int lastX, int lastY) {
    for (int x = 0; x < kGridSize; ++x) {
        const int firstRow = x <= lastX ? lastY + 1 : 0;
        if (firstRow >= kGridSize) continue;
        if (std::memcmp(now.Cell(x, firstRow), before.Cell(x, firstRow), static_cast<std::size_t>(kGridSize - firstRow)) != 0) {
            return false;
        }
    }
    return true;
}

bool SameGrid(const MazeGrid& a, const MazeGrid& b) { return std::memcmp(&a, &b, sizeof(MazeGrid)) == 0; }

bool IsMazeSize(long long value) {
    const auto last = static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) - 1U);
    return last >= 1 && last <= 127;
}

std::string OutOfRange(const std::string& text, const char* dimension) {
    return "'" + text + "' is out of range: a maze has 2 to 128 cells in " + dimension;
}

// --- Every size pair ------------------------------------------------------------------------

// 401 x 401 size texts from 400 down to 0, so each row of runs goes from large to small over the
// grid the runs before left. A size that wraps to 2..128 is generated, every other is refused
// with the message of the first refused field. Every other run places no hall: nothing in the
// grid outside the maze may then change. The rest of the settings keep the runs short (a single
// attempt per node), since it is the size that is swept here.
TEST(SizeSweep, EverySizePairFrom0To400IsRefusedOrGeneratedInsideTheGrid) {
    auto generator = std::make_unique<MazeGenerator>();
    auto before = std::make_unique<MazeGrid>();
    FakeHost host;
    host.settings[SettingField::Edit3] = "1";
    host.settings[SettingField::Edit7] = "9";
    int generated = 0;
    int refused = 0;
    std::uint64_t seed = 0;
    for (int columns = 400; columns >= 0; --columns) {
        for (int rows = 400; rows >= 0; --rows) {
            ++seed;
            const bool withHalls = seed % 2 == 0;
            const std::string columnsText = std::to_string(columns);
            const std::string rowsText = std::to_string(rows);
            host.settings[SettingField::Edit4] = columnsText;
            host.settings[SettingField::Edit5] = rowsText;
            host.settings[SettingField::Edit6] = withHalls ? "7" : "0";
            generator->SetRandomNodeMode(seed % 3 == 0);
            *before = generator->Grid();

            const auto message = Generate(*generator, host, seed);
            const auto context = [&] { return columnsText + " x " + rowsText; };
            if (!IsMazeSize(columns)) {
                ASSERT_EQ(message, OutOfRange(columnsText, "length")) << context();
            } else if (!IsMazeSize(rows)) {
                ASSERT_EQ(message, OutOfRange(rowsText, "width")) << context();
            }
            if (message) {
                ++refused;
                ASSERT_TRUE(SameGrid(generator->Grid(), *before)) << "a refused run changed the grid: " << context();
                continue;
            }
            ++generated;
            const auto& s = generator->Settings();
            ASSERT_EQ(s.LastX, (columns - 1) % 256) << context();
            ASSERT_EQ(s.LastY, (rows - 1) % 256) << context();
            ASSERT_EQ(generator->Nodes().Count(), 0) << context();
            ASSERT_TRUE(MarginUntouched(generator->Grid())) << context();
            if (!withHalls) {
                ASSERT_TRUE(SameOutsideMaze(generator->Grid(), *before, s.LastX, s.LastY))
                    << "a run without halls wrote outside its maze: " << context();
            }
        }
    }
    // 2..128 and 258..384 in each direction.
    EXPECT_EQ(generated, 254 * 254);
    EXPECT_EQ(refused, 401 * 401 - 254 * 254);
}

// --- Every value of each of the twelve settings ---------------------------------------------

struct SettingSweep {
    const char* name;
    SettingField field;
    int step;    // the values swept are 0, step, 2 * step, ... for 256 values: each low byte once
    int wrap;    // the value that adds nothing once stored: 256 for 8-bit fields, 65536 for halls
};

void PrintTo(const SettingSweep& sweep, std::ostream* os) { *os << sweep.name; }

// Texts of the same stored value as `value`: other multiples of the wrap added, in the other ways
// of writing a number, so that each syntax meets each low byte.
std::string WrappedText(long long value, int wrap, int variant) {
    char text[64];
    switch (variant % 4) {
        case 0: return std::to_string(value + wrap);
        case 1: return std::to_string(value - wrap);
        case 2:  // a hexadecimal bit pattern with high bits set that the store drops
            std::snprintf(text, sizeof text, "$%X", static_cast<unsigned>(value) + 0x7F000000U + static_cast<unsigned>(wrap) * 3U);
            return text;
        default:  // the sign negates the pattern: -$X is the value when X is its negation
            std::snprintf(text, sizeof text, "  -0x%x", 0U - static_cast<unsigned>(value + wrap * 5LL));
            return text;
    }
}

class EverySettingValue : public ::testing::TestWithParam<SettingSweep> {};

// Two generators run side by side through every value, one given the value and one a text of
// the same stored value; they must agree on everything after every run, since the store keeps
// only the low bits. Mazes are small (20 x 14) wherever the swept setting is not the size itself.
// The size fields are swept from 255 down, so larger mazes come first and smaller ones run over
// them; each completed size also gets its listing in both codings checked for its shape.
TEST_P(EverySettingValue, RunsInsideTheGridAndWrapsItsValue) {
    const SettingSweep& sweep = GetParam();
    auto plain = std::make_unique<MazeGenerator>();
    auto wrapped = std::make_unique<MazeGenerator>();
    FakeHost plainHost;
    plainHost.settings[SettingField::Edit4] = "20";
    plainHost.settings[SettingField::Edit5] = "14";
    if (sweep.field == SettingField::Edit7) plainHost.settings[SettingField::Edit6] = "12";  // big halls: fewer
    FakeHost wrappedHost = plainHost;
    const bool isSize = sweep.field == SettingField::Edit4 || sweep.field == SettingField::Edit5;

    for (int k = 0; k < 256; ++k) {
        const long long value = isSize ? 255 - k : static_cast<long long>(k) * sweep.step;
        plainHost.settings[sweep.field] = std::to_string(value);
        wrappedHost.settings[sweep.field] = WrappedText(value, sweep.wrap, k);
        // The corridor-keeping percent is read only in random node mode.
        const bool randomNodes = k % 2 == 1 || sweep.field == SettingField::Edit1;
        plain->SetRandomNodeMode(randomNodes);
        wrapped->SetRandomNodeMode(randomNodes);
        const std::uint64_t seed = 1000 + static_cast<std::uint64_t>(k);
        const std::string context = std::string(sweep.name) + " " + plainHost.settings[sweep.field] + " and " +
                                    wrappedHost.settings[sweep.field];

        const auto plainMessage = Generate(*plain, plainHost, seed);
        const auto wrappedMessage = Generate(*wrapped, wrappedHost, seed);
        ASSERT_EQ(plainMessage.has_value(), wrappedMessage.has_value()) << context;
        ASSERT_EQ(plainMessage.has_value(), isSize && !IsMazeSize(value)) << context;
        ASSERT_TRUE(SameGrid(plain->Grid(), wrapped->Grid())) << context;
        ASSERT_TRUE(MarginUntouched(plain->Grid())) << context;
        if (plainMessage) continue;

        const auto& s = plain->Settings();
        const auto& w = wrapped->Settings();
        ASSERT_EQ(std::memcmp(&s, &w, sizeof s), 0) << "stored settings differ: " << context;
        ASSERT_EQ(plain->State().MaxNodeCount, wrapped->State().MaxNodeCount) << context;
        ASSERT_EQ(plain->State().CurrentDirection, wrapped->State().CurrentDirection) << context;
        ASSERT_EQ(plain->Nodes().Count(), 0) << context;
        ASSERT_EQ(plainHost.status, wrappedHost.status) << context;

        if (isSize) {
            for (const FileCoding coding : {FileCoding::fcBytePerCell, FileCoding::fcHalfBytePerCell}) {
                const std::string listing = FormatListing(plain->Grid(), s.LastX, s.LastY, coding, ReadCodeTexts(plainHost));
                const std::size_t entries = coding == FileCoding::fcBytePerCell ? s.LastX + 1U : s.LastX / 2U + 1U;
                std::size_t lines = 0;
                std::size_t commas = 0;
                for (std::size_t at = listing.find("\r\n"); at != std::string::npos; at = listing.find("\r\n", at + 2)) ++lines;
                for (char c : listing) commas += c == ',' ? 1 : 0;
                ASSERT_TRUE(listing.ends_with("\r\n")) << context;
                ASSERT_EQ(lines, s.LastY + 3U) << context;
                ASSERT_EQ(commas, (s.LastY + 1U) * (entries - 1)) << context;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    TwelveFields, EverySettingValue,
    ::testing::Values(SettingSweep{"Columns", SettingField::Edit4, 1, 256},
                      SettingSweep{"Rows", SettingField::Edit5, 1, 256},
                      SettingSweep{"KeepCorridor", SettingField::Edit1, 1, 256},
                      SettingSweep{"SameDirection", SettingField::Edit2, 1, 256},
                      SettingSweep{"Attempts", SettingField::Edit3, 1, 256},
                      // 0, 257, ..., 65535: every low byte, and every high byte with it.
                      SettingSweep{"Halls", SettingField::Edit6, 257, 65536},
                      SettingSweep{"MaxHall", SettingField::Edit7, 1, 256},
                      SettingSweep{"Pillars", SettingField::Edit8, 1, 256},
                      SettingSweep{"Wall2", SettingField::Edit9, 1, 256},
                      SettingSweep{"EnemiesLeft", SettingField::Edit10, 1, 256},
                      SettingSweep{"EnemiesRight", SettingField::Edit11, 1, 256},
                      SettingSweep{"Boxes", SettingField::Edit12, 1, 256}),
    [](const auto& paramInfo) { return std::string(paramInfo.param.name); });

// The largest halls in the largest maze: every hall size over the full 128 x 128 grid, in both
// node modes, after which a 2 x 2 maze runs over what they left.
TEST(HallSweep, EveryHallSizeInTheLargestMazeStaysInsideTheGrid) {
    auto generator = std::make_unique<MazeGenerator>();
    FakeHost host;
    host.settings[SettingField::Edit4] = "128";
    host.settings[SettingField::Edit5] = "128";
    host.settings[SettingField::Edit6] = "30";
    host.settings[SettingField::Edit3] = "1";
    for (int maxHall = 0; maxHall < 256; maxHall += 5) {
        host.settings[SettingField::Edit7] = std::to_string(maxHall);
        generator->SetRandomNodeMode(maxHall % 2 == 0);
        ASSERT_EQ(Generate(*generator, host, static_cast<std::uint64_t>(maxHall)), std::nullopt) << maxHall;
        ASSERT_EQ(generator->Nodes().Count(), 0) << maxHall;
        ASSERT_TRUE(MarginUntouched(generator->Grid())) << maxHall;
    }
    host.settings[SettingField::Edit4] = "2";
    host.settings[SettingField::Edit5] = "2";
    ASSERT_EQ(Generate(*generator, host, 1), std::nullopt);
    EXPECT_EQ(generator->Nodes().Count(), 0);
}

}  // namespace
}  // namespace zxmaze::testing
