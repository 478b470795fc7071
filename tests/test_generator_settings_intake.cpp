// Reading the twelve setting texts at the start of a run: the stored widths and their wraps, the
// messages of a refused text, and what a refused text leaves behind.
#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <ostream>

#include "generator/maze_error.hpp"
#include "generator/maze_generator.hpp"
#include "support/fake_host.hpp"
#include "support/temp_dir.hpp"

namespace zxmaze::testing {
namespace {

using Getter = int (*)(const GeneratorSettings&);

struct FieldInfo {
    SettingField field;
    Getter get;
};

// In the order a run reads them.
const std::array<FieldInfo, 12> kFields = {{
    {SettingField::Edit4, [](const GeneratorSettings& s) -> int { return s.LastX; }},
    {SettingField::Edit5, [](const GeneratorSettings& s) -> int { return s.LastY; }},
    {SettingField::Edit1, [](const GeneratorSettings& s) -> int { return s.KeepCorridorPercent; }},
    {SettingField::Edit2, [](const GeneratorSettings& s) -> int { return s.SameDirectionPercent; }},
    {SettingField::Edit3, [](const GeneratorSettings& s) -> int { return s.AttemptsPerNode; }},
    {SettingField::Edit6, [](const GeneratorSettings& s) -> int { return s.HallCount; }},
    {SettingField::Edit7, [](const GeneratorSettings& s) -> int { return s.MaxHallSize; }},
    {SettingField::Edit8, [](const GeneratorSettings& s) -> int { return s.PillarPercent; }},
    {SettingField::Edit9, [](const GeneratorSettings& s) -> int { return s.Wall2Percent; }},
    {SettingField::Edit10, [](const GeneratorSettings& s) -> int { return s.EnemyLeftPercent; }},
    {SettingField::Edit11, [](const GeneratorSettings& s) -> int { return s.EnemyRightPercent; }},
    {SettingField::Edit12, [](const GeneratorSettings& s) -> int { return s.BoxPercent; }},
}};

int IndexOf(SettingField field) {
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        if (kFields[i].field == field) return static_cast<int>(i);
    }
    return -1;
}

// Two complete sets of valid texts that differ in every field, and the values they store.
const std::array<const char*, 12> kOldTexts = {"20", "10", "11", "12", "13", "14", "3", "15", "16", "17", "18", "19"};
const std::array<int, 12> kOldValues = {19, 9, 11, 12, 13, 14, 3, 15, 16, 17, 18, 19};
const std::array<const char*, 12> kNewTexts = {"30", "12", "21", "22", "23", "24", "4", "25", "26", "27", "28", "29"};
const std::array<int, 12> kNewValues = {29, 11, 21, 22, 23, 24, 4, 25, 26, 27, 28, 29};

void SetTexts(FakeHost& host, const std::array<const char*, 12>& texts) {
    for (std::size_t i = 0; i < kFields.size(); ++i) host.settings[kFields[i].field] = texts[i];
}

void ExpectSameState(const GeneratorState& actual, const GeneratorState& expected) {
    EXPECT_EQ(actual.MaxNodeCount, expected.MaxNodeCount);
    EXPECT_EQ(actual.CurrentNode, expected.CurrentNode);
    EXPECT_EQ(actual.CurrentDirection, expected.CurrentDirection);
    EXPECT_EQ(actual.RandomNodeMode, expected.RandomNodeMode);
    EXPECT_EQ(actual.AttemptCounter, expected.AttemptCounter);
    EXPECT_EQ(actual.Carved, expected.Carved);
    EXPECT_EQ(actual.HallFound, expected.HallFound);
    EXPECT_EQ(actual.DelayCounter, expected.DelayCounter);
}

void ExpectSameGrid(const MazeGrid& actual, const MazeGrid& expected) {
    for (int x = 0; x < kGridSize; ++x) {
        for (int y = 0; y < kGridSize; ++y) {
            ASSERT_EQ(actual.At(x, y), expected.At(x, y)) << "cell (" << x << ", " << y << ")";
        }
    }
}

void ExpectSameNodes(const NodeList& actual, const NodeList& expected) {
    ASSERT_EQ(actual.Count(), expected.Count());
    for (int k = 0; k < 65536; ++k) {
        const auto number = static_cast<std::uint16_t>(k);
        ASSERT_EQ(actual.Entry(number).x, expected.Entry(number).x) << "entry " << k;
        ASSERT_EQ(actual.Entry(number).y, expected.Entry(number).y) << "entry " << k;
    }
}

void ExpectAllWhite(const Picture& picture) {
    EXPECT_TRUE(picture.HasImage());
    const auto pixels = picture.Pixels();
    const auto notWhite = std::find_if(pixels.begin(), pixels.end(), [](std::uint8_t v) { return v != 255; });
    EXPECT_EQ(notWhite, pixels.end()) << "a coloured pixel at byte " << (notWhite - pixels.begin());
}

// --- Messages ----------------------------------------------------------------------------------

struct MessageCase {
    const char* name;
    std::vector<std::pair<SettingField, std::string>> texts;  // on top of the window's defaults
    std::string message;                                      // as the user sees it
};

void PrintTo(const MessageCase& c, std::ostream* os) { *os << c.name; }

class IntakeMessage : public ::testing::TestWithParam<MessageCase> {};

TEST_P(IntakeMessage, StopsTheRunWithTheExactMessage) {
    TempDir dir;
    auto generator = std::make_unique<MazeGenerator>();
    FakeHost host;
    host.listingPath = dir.File("labirint.txt");
    for (const auto& [field, text] : GetParam().texts) host.settings[field] = text;

    EXPECT_FALSE(RunAndReport(*generator, host, 1));
    EXPECT_EQ(host.errors, std::vector<std::string>{GetParam().message});
    EXPECT_TRUE(ListFolder(dir.Path()).empty());
}

const std::string kLength = "' is out of range: a maze has 2 to 128 cells in length.";
const std::string kWidth = "' is out of range: a maze has 2 to 128 cells in width.";
const std::string kNotInteger = "' is not a valid integer value.";

INSTANTIATE_TEST_SUITE_P(
    Table, IntakeMessage,
    ::testing::Values(
        MessageCase{"LetterAfterDigits", {{SettingField::Edit7, "5a"}}, "'5a" + kNotInteger},
        MessageCase{"EmptyText", {{SettingField::Edit6, ""}}, "'" + kNotInteger},
        MessageCase{"TrailingSpace", {{SettingField::Edit3, "12 "}}, "'12 " + kNotInteger},
        MessageCase{"Tab", {{SettingField::Edit12, "\t1"}}, "'\t1" + kNotInteger},
        MessageCase{"TextIsQuotedByteForByte", {{SettingField::Edit9, "\xd0\xa1'"}}, "'\xd0\xa1'" + kNotInteger},
        // The field of the random node mode is read even while that mode is off.
        MessageCase{"KeepCorridorReadInEitherMode", {{SettingField::Edit1, "x"}}, "'x" + kNotInteger},
        MessageCase{"SizeTextIsNotANumber", {{SettingField::Edit4, "12 "}}, "'12 " + kNotInteger},
        MessageCase{"ZeroColumnsQuotedWhole", {{SettingField::Edit4, " 0"}}, "' 0" + kLength},
        MessageCase{"OneColumn", {{SettingField::Edit4, "1"}}, "'1" + kLength},
        MessageCase{"129Columns", {{SettingField::Edit4, "129"}}, "'129" + kLength},
        MessageCase{"257Columns", {{SettingField::Edit4, "257"}}, "'257" + kLength},
        MessageCase{"MinusOneTwentySevenWrapsTo128", {{SettingField::Edit4, "-127"}}, "'-127" + kLength},
        MessageCase{"ZeroRows", {{SettingField::Edit5, "0"}}, "'0" + kWidth},
        MessageCase{"129Rows", {{SettingField::Edit5, "129"}}, "'129" + kWidth},
        MessageCase{"HexMinusOneRows", {{SettingField::Edit5, "$FFFFFFFF"}}, "'$FFFFFFFF" + kWidth},
        // The size is checked right after its own conversion, before the next field is read.
        MessageCase{"ColumnRangeBeforeRowText", {{SettingField::Edit4, "0"}, {SettingField::Edit5, "x"}}, "'0" + kLength},
        MessageCase{"ColumnTextBeforeRowRange", {{SettingField::Edit4, "x"}, {SettingField::Edit5, "0"}}, "'x" + kNotInteger},
        MessageCase{"FirstBadFieldInReadingOrder", {{SettingField::Edit12, "b"}, {SettingField::Edit2, "a"}}, "'a" + kNotInteger}),
    [](const auto& paramInfo) { return std::string(paramInfo.param.name); });

TEST(IntakeMessageKind, IsAMazeErrorWithTheBareMessage) {
    auto generator = std::make_unique<MazeGenerator>();
    FakeHost host;
    host.settings[SettingField::Edit7] = "5a";
    try {
        generator->Run(host, 1);
        FAIL() << "the run went on";
    } catch (const MazeError& error) {
        EXPECT_STREQ(error.what(), "'5a' is not a valid integer value");
        EXPECT_EQ(error.DisplayText(), "'5a' is not a valid integer value.");
    }
}

// --- What a refused text leaves behind ----------------------------------------------------------

struct FailureCase {
    int failing;  // index into kFields
    const char* text;
    std::string message;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << "field " << c.failing << " '" << c.text << "'"; }

class FailedIntake : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FailedIntake, ChangesOnlyTheSettingsBeforeTheBadFieldAndClearsPictureAndStatus) {
    const FailureCase& c = GetParam();
    TempDir dir;
    auto generator = std::make_unique<MazeGenerator>();
    FakeHost first;
    first.listingPath = dir.File("labirint.txt");
    SetTexts(first, kOldTexts);
    ASSERT_TRUE(RunAndReport(*generator, first, 1));
    const MazeGrid grid = generator->Grid();
    const auto nodes = std::make_unique<NodeList>(generator->Nodes());
    const GeneratorState state = generator->State();
    const std::string listing = ReadFile(dir.File("labirint.txt"));
    ASSERT_FALSE(listing.empty());

    FakeHost second;
    second.listingPath = dir.File("labirint.txt");
    SetTexts(second, kNewTexts);
    second.settings[kFields[static_cast<std::size_t>(c.failing)].field] = c.text;
    EXPECT_FALSE(RunAndReport(*generator, second, 2));

    for (int i = 0; i < 12; ++i) {
        const int expected = i < c.failing ? kNewValues[static_cast<std::size_t>(i)] : kOldValues[static_cast<std::size_t>(i)];
        EXPECT_EQ(kFields[static_cast<std::size_t>(i)].get(generator->Settings()), expected) << "setting " << i;
    }
    ExpectSameGrid(generator->Grid(), grid);
    ExpectSameNodes(generator->Nodes(), *nodes);
    ExpectSameState(generator->State(), state);
    EXPECT_EQ(ReadFile(dir.File("labirint.txt")), listing);
    EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::string>{"labirint.txt"});
    ExpectAllWhite(generator->Preview());
    // The picture is cleared and shown at once, the status emptied, then the error shown.
    EXPECT_EQ(second.events, (std::vector<std::string>{"refresh", "status:", "error:" + c.message}));
    EXPECT_EQ(second.status, "");
}

std::vector<FailureCase> EveryField() {
    std::vector<FailureCase> cases;
    for (int i = 0; i < 12; ++i) cases.push_back({i, "5a", "'5a' is not a valid integer value."});
    cases.push_back({IndexOf(SettingField::Edit4), " 0", "' 0" + kLength});
    cases.push_back({IndexOf(SettingField::Edit4), "$101", "'$101" + kLength});
    cases.push_back({IndexOf(SettingField::Edit5), "1", "'1" + kWidth});
    cases.push_back({IndexOf(SettingField::Edit5), "129", "'129" + kWidth});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(EachField, FailedIntake, ::testing::ValuesIn(EveryField()));

TEST(FailedIntakeAtStartUp, LeavesTheZeroedDataAndWritesNoFile) {
    TempDir dir;
    auto generator = std::make_unique<MazeGenerator>();
    FakeHost host;
    host.listingPath = dir.File("labirint.txt");
    host.settings[SettingField::Edit2] = "";
    EXPECT_FALSE(RunAndReport(*generator, host, 3));

    EXPECT_EQ(generator->Settings().LastX, 127);
    EXPECT_EQ(generator->Settings().LastY, 63);
    EXPECT_EQ(generator->Settings().KeepCorridorPercent, 50);
    EXPECT_EQ(generator->Settings().SameDirectionPercent, 0);
    EXPECT_EQ(generator->Settings().BoxPercent, 0);
    const auto zero = std::make_unique<MazeGrid>();
    ExpectSameGrid(generator->Grid(), *zero);
    EXPECT_EQ(generator->Nodes().Count(), 0);
    ExpectSameState(generator->State(), GeneratorState{});
    ExpectAllWhite(generator->Preview());
    EXPECT_TRUE(ListFolder(dir.Path()).empty());
}

// The next run that passes the intake starts afresh: same seed, same settings, same maze as on a
// generator that never saw the failure (the direction carried over is the same in both).
TEST(FailedIntakeRecovery, NextGoodRunIsUnaffected) {
    auto failed = std::make_unique<MazeGenerator>();
    auto clean = std::make_unique<MazeGenerator>();
    FakeHost host;
    host.settings[SettingField::Edit4] = "40";
    host.settings[SettingField::Edit5] = "30";
    failed->Generate(host, 8);
    clean->Generate(host, 8);
    FakeHost bad = host;
    bad.settings[SettingField::Edit11] = "-";
    EXPECT_THROW(failed->Generate(bad, 9), MazeError);
    failed->Generate(host, 10);
    clean->Generate(host, 10);
    ExpectSameGrid(failed->Grid(), clean->Grid());
    EXPECT_EQ(failed->State().MaxNodeCount, clean->State().MaxNodeCount);
}

// --- Stored widths ------------------------------------------------------------------------------

struct StoredCase {
    SettingField field;
    const char* text;
    int stored;
};

void PrintTo(const StoredCase& c, std::ostream* os) { *os << "field " << IndexOf(c.field) << " '" << c.text << "'"; }

class StoredValue : public ::testing::TestWithParam<StoredCase> {};

TEST_P(StoredValue, KeepsTheLowBits) {
    auto generator = std::make_unique<MazeGenerator>();
    FakeHost host;
    host.settings[SettingField::Edit4] = "12";  // small and quick, unless the case sets it
    host.settings[SettingField::Edit5] = "10";
    host.settings[GetParam().field] = GetParam().text;
    generator->Generate(host, 4);
    EXPECT_EQ(kFields[static_cast<std::size_t>(IndexOf(GetParam().field))].get(generator->Settings()), GetParam().stored);
    EXPECT_EQ(generator->Settings().StepDelay, 10000000);
}

INSTANTIATE_TEST_SUITE_P(
    Table, StoredValue,
    ::testing::Values(StoredCase{SettingField::Edit4, "300", 43}, StoredCase{SettingField::Edit4, "258", 1},
                      StoredCase{SettingField::Edit4, "2", 1}, StoredCase{SettingField::Edit4, "128", 127},
                      StoredCase{SettingField::Edit4, "-128", 127}, StoredCase{SettingField::Edit4, "$80", 127},
                      StoredCase{SettingField::Edit4, "-254", 1}, StoredCase{SettingField::Edit5, " 64", 63},
                      StoredCase{SettingField::Edit5, "384", 127}, StoredCase{SettingField::Edit8, "356", 100},
                      StoredCase{SettingField::Edit9, "-1", 255}, StoredCase{SettingField::Edit1, "-256", 0},
                      StoredCase{SettingField::Edit2, "$1FF", 255}, StoredCase{SettingField::Edit3, "256", 0},
                      StoredCase{SettingField::Edit6, "300", 300}, StoredCase{SettingField::Edit6, "-1", 65535},
                      StoredCase{SettingField::Edit6, "65536", 0}, StoredCase{SettingField::Edit6, "65580", 44},
                      StoredCase{SettingField::Edit7, "261", 5}, StoredCase{SettingField::Edit12, "-0", 0},
                      StoredCase{SettingField::Edit11, "x10", 16}));

// A wrapped text and the text it wraps to must make the same maze from the same seed.
struct SameAsCase {
    SettingField field;
    const char* text;
    const char* sameAs;
};

void PrintTo(const SameAsCase& c, std::ostream* os) {
    *os << "field " << IndexOf(c.field) << " '" << c.text << "' as '" << c.sameAs << "'";
}

class WrappedText : public ::testing::TestWithParam<SameAsCase> {};

TEST_P(WrappedText, MakesTheSameMazeAsItsLowBits) {
    auto wrapped = std::make_unique<MazeGenerator>();
    auto plain = std::make_unique<MazeGenerator>();
    wrapped->SetRandomNodeMode(true);
    plain->SetRandomNodeMode(true);
    FakeHost host;
    host.settings[SettingField::Edit4] = "48";
    host.settings[SettingField::Edit5] = "32";
    host.settings[SettingField::Edit6] = "20";
    host.settings[GetParam().field] = GetParam().text;
    wrapped->Generate(host, 31);
    host.settings[GetParam().field] = GetParam().sameAs;
    plain->Generate(host, 31);
    const int lastX = plain->Settings().LastX;
    const int lastY = plain->Settings().LastY;
    ASSERT_EQ(wrapped->Settings().LastX, lastX);
    for (int x = 0; x <= lastX; ++x) {
        for (int y = 0; y <= lastY; ++y) ASSERT_EQ(wrapped->Grid().At(x, y), plain->Grid().At(x, y)) << x << ", " << y;
    }
    EXPECT_EQ(wrapped->State().MaxNodeCount, plain->State().MaxNodeCount);
}

INSTANTIATE_TEST_SUITE_P(
    Table, WrappedText,
    ::testing::Values(SameAsCase{SettingField::Edit4, "300", "44"}, SameAsCase{SettingField::Edit4, "258", "2"},
                      SameAsCase{SettingField::Edit8, "356", "100"}, SameAsCase{SettingField::Edit9, "-1", "255"},
                      SameAsCase{SettingField::Edit6, "256", "0"}, SameAsCase{SettingField::Edit6, "-65536", "0"},
                      SameAsCase{SettingField::Edit6, "300", "44"}, SameAsCase{SettingField::Edit6, "-1", "255"},
                      SameAsCase{SettingField::Edit3, "256", "0"}, SameAsCase{SettingField::Edit2, "355", "99"},
                      SameAsCase{SettingField::Edit1, "-200", "56"}, SameAsCase{SettingField::Edit7, "261", "5"},
                      SameAsCase{SettingField::Edit10, "$164", "100"}, SameAsCase{SettingField::Edit12, "-255", "1"}));

// Halls too big for the grid are cut at its edge; the runs end normally and the border the halls did
// not reach is intact.
class HugeHalls : public ::testing::TestWithParam<int> {};

TEST_P(HugeHalls, RunsStayInsideTheGrid) {
    for (const char* maxHall : {"126", "127", "128", "200", "254", "255"}) {
        auto generator = std::make_unique<MazeGenerator>();
        FakeHost host;
        host.settings[SettingField::Edit4] = "128";
        host.settings[SettingField::Edit5] = "128";
        host.settings[SettingField::Edit6] = "30";
        host.settings[SettingField::Edit7] = maxHall;
        generator->Generate(host, static_cast<std::uint64_t>(GetParam()));
        EXPECT_EQ(generator->Nodes().Count(), 0) << maxHall;
        EXPECT_LE(generator->State().MaxNodeCount, 16385) << maxHall;
    }
}

INSTANTIATE_TEST_SUITE_P(Seeds, HugeHalls, ::testing::Values(1, 2, 3));

}  // namespace
}  // namespace zxmaze::testing
