// The assembler listing, byte for byte: worked examples, odd widths, code texts, line ends, sizes.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>

#include "export/listing.hpp"
#include "generator/maze_generator.hpp"
#include "support/fake_host.hpp"
#include "support/grid_text.hpp"

namespace zxmaze::testing {
namespace {

const CodeTexts kDefaultTexts = {"0", "1", "2", "3", "4", "5"};  // corridor, wall1, pillar, wall2, enemy, box

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

struct ListingCase {
    const char* name;
    std::vector<std::string> grid;  // drawn from cell (0, 0); may reach past the maze
    int lastX;
    int lastY;
    FileCoding coding;
    CodeTexts texts;
    std::vector<std::string> expected;  // without the line ends
};

void PrintTo(const ListingCase& c, std::ostream* os) { *os << c.name; }

class Listing : public ::testing::TestWithParam<ListingCase> {};

TEST_P(Listing, IsWrittenExactly) {
    const ListingCase& c = GetParam();
    auto grid = std::make_unique<MazeGrid>();
    PaintCells(*grid, c.grid);
    EXPECT_EQ(FormatListing(*grid, c.lastX, c.lastY, c.coding, c.texts), Lines(c.expected));
}

const std::vector<std::string> kFourByThree = {
    "####",
    "#..#",
    "####",
};

// A 3 x 3 maze with (1, 1) open; the fourth column lies outside the maze.
std::vector<std::string> ThreeByThreeWithColumn3(char top, char middle, char bottom) {
    return {std::string("###") + top, std::string("#.#") + middle, std::string("###") + bottom};
}

// Distinct texts show which field each value is written with.
const CodeTexts kDistinctTexts = {"c", "w", "p", "v", "e", "b"};

INSTANTIATE_TEST_SUITE_P(
    Table, Listing,
    ::testing::Values(
        ListingCase{"FourByThreeByte", kFourByThree, 3, 2, FileCoding::fcBytePerCell, kDefaultTexts,
                    {"; maze 4x3", "", "defb #01,#01,#01,#01", "defb #01,#00,#00,#01", "defb #01,#01,#01,#01"}},
        ListingCase{"FourByThreeHalfByte", kFourByThree, 3, 2, FileCoding::fcHalfBytePerCell, kDefaultTexts,
                    {"; maze 4x3", "", "defb #11,#11", "defb #10,#01", "defb #11,#11"}},
        ListingCase{"OddWidthReadsTheCorridorRightOfTheMaze", ThreeByThreeWithColumn3('.', '.', '.'), 2, 2,
                    FileCoding::fcHalfBytePerCell, kDefaultTexts,
                    {"; maze 3x3", "", "defb #11,#10", "defb #10,#10", "defb #11,#10"}},
        // What an earlier, wider maze left in column 3 is written through the table too.
        ListingCase{"OddWidthReadsWhateverIsRightOfTheMaze", ThreeByThreeWithColumn3('E', 'B', '7'), 2, 2,
                    FileCoding::fcHalfBytePerCell, kDefaultTexts,
                    {"; maze 3x3", "", "defb #11,#14", "defb #10,#15", "defb #11,#11"}},
        ListingCase{"OddWidthByteCodingStopsAtTheMaze", ThreeByThreeWithColumn3('E', 'B', '7'), 2, 2,
                    FileCoding::fcBytePerCell, kDefaultTexts,
                    {"; maze 3x3", "", "defb #01,#01,#01", "defb #01,#00,#01", "defb #01,#01,#01"}},
        ListingCase{"TwoColumnsByte", {"##", "#."}, 1, 1, FileCoding::fcBytePerCell, kDefaultTexts,
                    {"; maze 2x2", "", "defb #01,#01", "defb #01,#00"}},
        ListingCase{"TwoColumnsHalfByteHasNoComma", {"##", "#."}, 1, 1, FileCoding::fcHalfBytePerCell,
                    kDefaultTexts, {"; maze 2x2", "", "defb #11", "defb #10"}},
        ListingCase{"LongAndEmptyTextsByte", {"##", "#."}, 1, 1, FileCoding::fcBytePerCell,
                    CodeTexts{"", "FF", "2", "3", "4", "5"}, {"; maze 2x2", "", "defb #0FF,#0FF", "defb #0FF,#0"}},
        ListingCase{"LongAndEmptyTextsHalfByte", {"##", "#."}, 1, 1, FileCoding::fcHalfBytePerCell,
                    CodeTexts{"", "FF", "2", "3", "4", "5"}, {"; maze 2x2", "", "defb #FFFF", "defb #FF"}},
        ListingCase{"TextsAreWrittenByteForByte", {"#.W", "PEB"}, 2, 1, FileCoding::fcBytePerCell,
                    CodeTexts{" 0 ", "\xd0\xa1", "$2", ",", "", "box; x"},
                    {"; maze 3x2", "", "defb #0\xd0\xa1,#0 0 ,#0,", "defb #0$2,#0,#0box; x"}},
        // Hall numbers nobody opened: 2 box, 3 type-2 wall, 4 pillar, 6 enemy, any other type-1 wall.
        ListingCase{"HallNumbersByte", {".#2345679"}, 8, 0, FileCoding::fcBytePerCell, kDistinctTexts,
                    {"; maze 9x1", "", "defb #0c,#0w,#0b,#0v,#0p,#0w,#0e,#0w,#0w"}},
        ListingCase{"HallNumbersHalfByte", {".#2345679."}, 8, 0, FileCoding::fcHalfBytePerCell, kDistinctTexts,
                    {"; maze 9x1", "", "defb #cw,#bv,#pw,#ew,#wc"}}),
    [](const auto& paramInfo) { return std::string(paramInfo.param.name); });

// The top value, which only a hall number can be.
TEST(ListingValues, HallNumber255IsWrittenAsAType1Wall) {
    auto grid = std::make_unique<MazeGrid>();
    grid->At(0, 0) = 255;
    grid->At(1, 0) = 7;
    EXPECT_EQ(FormatListing(*grid, 1, 0, FileCoding::fcBytePerCell, kDistinctTexts),
              Lines({"; maze 2x1", "", "defb #0w,#0w"}));
}

// A default maze as a run makes it, in both codings.
class DefaultSizeListing : public ::testing::TestWithParam<FileCoding> {};

TEST_P(DefaultSizeListing, Has66LinesOfTheRightLengthAllEndingInCrLf) {
    auto generator = std::make_unique<MazeGenerator>();
    FakeHost host;
    generator->Generate(host, 2024);
    const std::string text = FormatListing(generator->Grid(), 127, 63, GetParam(), kDefaultTexts);

    ASSERT_GE(text.size(), 2U);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (auto end = text.find('\n'); end != std::string::npos; end = text.find('\n', from)) {
        ASSERT_GT(end, from) << "a bare line feed at byte " << end;
        ASSERT_EQ(text[end - 1], '\r') << "a line feed without carriage return at byte " << end;
        lines.push_back(text.substr(from, end - 1 - from));
        from = end + 1;
    }
    EXPECT_EQ(from, text.size()) << "nothing may follow the last line end";
    ASSERT_EQ(lines.size(), 66U);
    EXPECT_EQ(lines[0], "; maze 128x64");
    EXPECT_EQ(lines[1], "");
    const std::size_t length = GetParam() == FileCoding::fcBytePerCell ? 516 : 260;
    const std::size_t entries = GetParam() == FileCoding::fcBytePerCell ? 128 : 64;
    for (std::size_t i = 2; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].size(), length) << "line " << i + 1;
        EXPECT_EQ(lines[i].rfind("defb #", 0), 0U) << "line " << i + 1;
        EXPECT_EQ(std::count(lines[i].begin(), lines[i].end(), '#'), static_cast<long>(entries)) << "line " << i + 1;
        EXPECT_EQ(lines[i].find('\r'), std::string::npos) << "line " << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(BothCodings, DefaultSizeListing,
                         ::testing::Values(FileCoding::fcBytePerCell, FileCoding::fcHalfBytePerCell),
                         [](const auto& paramInfo) {
                             return paramInfo.param == FileCoding::fcBytePerCell ? "Byte" : "HalfByte";
                         });

// The host's texts are asked for, in the order of the code fields.
TEST(ListingTexts, ComeFromTheHostsCodeFields) {
    FakeHost host;
    host.codes[CodeField::Edit13Corridor] = "a";
    host.codes[CodeField::Edit14Wall1] = "b";
    host.codes[CodeField::Edit15Pillar] = "c";
    host.codes[CodeField::Edit16Wall2] = "d";
    host.codes[CodeField::Edit17Enemy] = "e";
    host.codes[CodeField::Edit18Box] = "f";
    EXPECT_EQ(ReadCodeTexts(host), (CodeTexts{"a", "b", "c", "d", "e", "f"}));
}

}  // namespace
}  // namespace zxmaze::testing
