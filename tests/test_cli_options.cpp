// zxmaze-cli's options, called in-process: usage errors, the two forms of a value, repeated options,
// help and version, run numbers in paths, seeds, the stdout line, and that every option feeds the
// same intake as the window's field.
#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <regex>

#include "generator/maze_generator.hpp"
#include "support/cli_call.hpp"
#include "support/fake_host.hpp"
#include "support/png_digest.hpp"
#include "support/temp_dir.hpp"

namespace zxmaze::testing {
namespace {

using Args = std::vector<std::string>;

// --- Usage errors ---------------------------------------------------------------------------

struct UsageCase {
    const char* name;
    Args args;
};

void PrintTo(const UsageCase& c, std::ostream* os) { *os << c.name; }

class UsageError : public ::testing::TestWithParam<UsageCase> {};

TEST_P(UsageError, ExitsWith2WritingNothing) {
    TempDir dir;
    const CliCall call = RunCliIn(dir.Path(), GetParam().args);
    EXPECT_EQ(call.status, 2);
    EXPECT_EQ(call.out, "");
    EXPECT_EQ(call.err.rfind("zxmaze-cli: ", 0), 0U) << call.err;
    EXPECT_EQ(call.err.back(), '\n');
    EXPECT_TRUE(ListFolder(dir.Path()).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, UsageError,
    ::testing::Values(UsageCase{"UnknownOption", {"--seed", "1", "--colums", "10"}},
                      UsageCase{"SingleDashOption", {"-columns", "10"}},
                      UsageCase{"BareArgument", {"--seed", "1", "labirint.txt"}},
                      UsageCase{"MissingValueAtTheEnd", {"--seed", "1", "--columns"}},
                      UsageCase{"MissingSeedValue", {"--seed"}},
                      UsageCase{"FlagWithValue", {"--seed", "1", "--half-byte=1"}},
                      UsageCase{"FlagWithEmptyValue", {"--seed", "1", "--random-node="}},
                      UsageCase{"NegativeSeed", {"--seed", "-1"}},
                      UsageCase{"SeedWithSign", {"--seed", "+1"}},
                      UsageCase{"SeedWithSpace", {"--seed", " 1"}},
                      UsageCase{"SeedWithTrailingSpace", {"--seed", "1 "}},
                      UsageCase{"HexSeed", {"--seed", "0x10"}},
                      UsageCase{"EmptySeed", {"--seed="}},
                      UsageCase{"SeedOverflow", {"--seed", "18446744073709551616"}},
                      UsageCase{"CountZero", {"--seed", "1", "--count", "0"}},
                      UsageCase{"CountNegative", {"--seed", "1", "--count", "-2"}},
                      UsageCase{"CountOverflow", {"--seed", "1", "--count", "99999999999999999999"}},
                      UsageCase{"CountNotANumber", {"--seed", "1", "--count", "two"}},
                      UsageCase{"EmptyCount", {"--seed", "1", "--count", ""}},
                      UsageCase{"BadOptionAfterGoodOnes", {"--seed", "1", "--count", "3", "--output", "x", "--nope"}}),
    [](const auto& paramInfo) { return std::string(paramInfo.param.name); });

TEST(HelpAndVersion, PrintOnStdoutAndExit0) {
    TempDir dir;
    const CliCall help = RunCliIn(dir.Path(), {"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    for (const char* option : {"--columns", "--rows", "--keep-corridor", "--same-direction", "--attempts", "--halls",
                               "--max-hall", "--pillars", "--wall2", "--enemies-left", "--enemies-right", "--boxes",
                               "--code-corridor", "--code-wall1", "--code-pillar", "--code-wall2", "--code-enemy",
                               "--code-box", "--random-node", "--half-byte", "--seed", "--count", "--output", "--png"}) {
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    }
    const CliCall version = RunCliIn(dir.Path(), {"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.err, "");
    EXPECT_TRUE(std::regex_match(version.out, std::regex("zxmaze-cli [0-9]+\\.[0-9]+\\.[0-9]+\n"))) << version.out;
    EXPECT_TRUE(ListFolder(dir.Path()).empty());
}

// --- The same run as the engine's --------------------------------------------------------------

// The listing and largest node count of `runs` consecutive engine runs from `seed`, with the
// window's defaults changed as given; the listing is the last run's.
struct EngineResult {
    std::string listing;
    std::string stdoutLines;
};

EngineResult EngineRuns(const std::vector<std::pair<SettingField, std::string>>& settings,
                        const std::vector<std::pair<CodeField, std::string>>& codes, bool randomNodes, bool halfByte,
                        std::uint64_t seed, int runs = 1) {
    TempDir dir;
    FakeHost host;
    host.listingPath = dir.File("labirint.txt");
    host.coding = halfByte ? FileCoding::fcHalfBytePerCell : FileCoding::fcBytePerCell;
    for (const auto& [field, text] : settings) host.settings[field] = text;
    for (const auto& [field, text] : codes) host.codes[field] = text;
    auto generator = std::make_unique<MazeGenerator>();
    generator->SetRandomNodeMode(randomNodes);
    EngineResult result;
    for (int run = 0; run < runs; ++run) {
        const std::uint64_t runSeed = seed + static_cast<std::uint64_t>(run);
        generator->Run(host, runSeed);
        result.stdoutLines += "seed " + std::to_string(runSeed) + ": Maximal volume of nodes: " +
                              std::to_string(generator->State().MaxNodeCount) + "\n";
    }
    result.listing = ReadFile(host.listingPath);
    return result;
}

struct OptionCase {
    const char* option;
    std::string value;
    SettingField field;
    std::optional<CodeField> code;  // set for the code texts, which then ignore `field`
    Args extra;                     // given to both runs, to make the option matter
};

void PrintTo(const OptionCase& c, std::ostream* os) { *os << c.option << " " << c.value; }

class EachOption : public ::testing::TestWithParam<OptionCase> {};

TEST_P(EachOption, FeedsItsWindowField) {
    const OptionCase& c = GetParam();
    const bool randomNodes = std::find(c.extra.begin(), c.extra.end(), "--random-node") != c.extra.end();
    std::vector<std::pair<SettingField, std::string>> settings = {{SettingField::Edit4, "40"},
                                                                  {SettingField::Edit5, "30"}};
    std::vector<std::pair<CodeField, std::string>> codes;
    for (std::size_t i = 0; i + 1 < c.extra.size(); ++i) {
        if (c.extra[i] == "--boxes") settings.push_back({SettingField::Edit12, c.extra[i + 1]});
    }
    const EngineResult base = EngineRuns(settings, codes, randomNodes, false, 5);
    if (c.code) {
        codes.push_back({*c.code, c.value});
    } else {
        settings.push_back({c.field, c.value});
    }
    const EngineResult engine = EngineRuns(settings, codes, randomNodes, false, 5);

    TempDir dir;
    Args args = {"--seed", "5", "--columns", "40", "--rows", "30"};
    args.insert(args.end(), c.extra.begin(), c.extra.end());
    args.insert(args.end(), {c.option, c.value});
    const CliCall call = RunCliIn(dir.Path(), args);
    ASSERT_EQ(call.status, 0) << call.err;
    EXPECT_EQ(call.err, "");
    EXPECT_EQ(call.out, engine.stdoutLines);
    EXPECT_EQ(ReadFile(dir.File("labirint.txt")), engine.listing);
    EXPECT_NE(engine.listing, base.listing) << "the option should change this maze";
}

INSTANTIATE_TEST_SUITE_P(
    Table, EachOption,
    ::testing::Values(OptionCase{"--columns", "33", SettingField::Edit4, {}, {}},
                      OptionCase{"--rows", "21", SettingField::Edit5, {}, {}},
                      OptionCase{"--keep-corridor", "0", SettingField::Edit1, {}, {"--random-node"}},
                      OptionCase{"--same-direction", "0", SettingField::Edit2, {}, {}},
                      OptionCase{"--attempts", "2", SettingField::Edit3, {}, {}},
                      OptionCase{"--halls", "3", SettingField::Edit6, {}, {}},
                      OptionCase{"--max-hall", "9", SettingField::Edit7, {}, {}},
                      OptionCase{"--pillars", "0", SettingField::Edit8, {}, {}},
                      OptionCase{"--wall2", "90", SettingField::Edit9, {}, {}},
                      OptionCase{"--enemies-left", "60", SettingField::Edit10, {}, {}},
                      OptionCase{"--enemies-right", "60", SettingField::Edit11, {}, {}},
                      OptionCase{"--boxes", "60", SettingField::Edit12, {}, {}},
                      OptionCase{"--code-corridor", "c", {}, CodeField::Edit13Corridor, {}},
                      OptionCase{"--code-wall1", "w1", {}, CodeField::Edit14Wall1, {}},
                      OptionCase{"--code-pillar", "p", {}, CodeField::Edit15Pillar, {}},
                      OptionCase{"--code-wall2", "w2", {}, CodeField::Edit16Wall2, {}},
                      OptionCase{"--code-enemy", "e", {}, CodeField::Edit17Enemy, {}},
                      OptionCase{"--code-box", "b", {}, CodeField::Edit18Box, {"--boxes", "30"}}));

TEST(Flags, RandomNodeAndHalfByteSwitchTheEngine) {
    for (const bool randomNodes : {false, true}) {
        for (const bool halfByte : {false, true}) {
            TempDir dir;
            Args args = {"--seed", "12", "--columns", "37", "--rows", "20"};
            if (randomNodes) args.push_back("--random-node");
            if (halfByte) args.push_back("--half-byte");
            const CliCall call = RunCliIn(dir.Path(), args);
            ASSERT_EQ(call.status, 0) << call.err;
            const EngineResult engine =
                EngineRuns({{SettingField::Edit4, "37"}, {SettingField::Edit5, "20"}}, {}, randomNodes, halfByte, 12);
            EXPECT_EQ(call.out, engine.stdoutLines) << randomNodes << halfByte;
            EXPECT_EQ(ReadFile(dir.File("labirint.txt")), engine.listing) << randomNodes << halfByte;
        }
    }
}

// --- Values -----------------------------------------------------------------------------------

// The listing a call writes, or its error output when it writes none.
std::string ListingOf(const Args& args) {
    TempDir dir;
    const CliCall call = RunCliIn(dir.Path(), args);
    if (call.status != 0) return "status " + std::to_string(call.status) + ": " + call.err;
    return ReadFile(dir.File("labirint.txt"));
}

TEST(Values, BothFormsAndValuesStartingWithADash) {
    const Args base = {"--seed", "3", "--columns", "30", "--rows", "20"};
    const auto with = [&](Args more) {
        Args args = base;
        args.insert(args.end(), more.begin(), more.end());
        return ListingOf(args);
    };
    const std::string halls255 = with({"--halls", "255"});
    ASSERT_EQ(halls255.rfind("; maze 30x20", 0), 0U) << halls255;
    EXPECT_EQ(with({"--halls", "-1"}), halls255);
    EXPECT_EQ(with({"--halls=-1"}), halls255);
    EXPECT_EQ(with({"--halls=$FFFF"}), halls255);

    const std::string empty = "status 1: zxmaze-cli: '' is not a valid integer value.\n";
    EXPECT_EQ(with({"--halls", ""}), empty);
    EXPECT_EQ(with({"--halls="}), empty);
    // The next argument is the value, even when it looks like an option.
    EXPECT_EQ(with({"--columns", "--rows"}), "status 1: zxmaze-cli: '--rows' is not a valid integer value.\n");
    EXPECT_EQ(with({"--columns", "--help"}), "status 1: zxmaze-cli: '--help' is not a valid integer value.\n");
    EXPECT_EQ(with({"--max-hall=a=b"}), "status 1: zxmaze-cli: 'a=b' is not a valid integer value.\n");
    EXPECT_NE(with({"--code-wall1", "--version"}).find("defb #0--version,#0--version,"), std::string::npos);

    const std::string dashed = with({"--code-wall1", "-x", "--code-corridor="});
    EXPECT_NE(dashed.find("defb #0-x,#0-x,"), std::string::npos);
    EXPECT_NE(dashed.find(",#0,"), std::string::npos) << "an empty corridor text leaves #0 alone";
}

TEST(Values, OutputStartingWithADash) {
    TempDir dir;
    const CliCall call = RunCliIn(dir.Path(), {"--seed", "1", "--columns", "8", "--rows", "8", "--output", "-o.txt"});
    ASSERT_EQ(call.status, 0) << call.err;
    EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::string>{"-o.txt"});
}

TEST(Values, RepeatedOptionLastWins) {
    const Args once = {"--seed", "4", "--columns", "12", "--rows", "9", "--halls", "2"};
    const std::string expected = ListingOf(once);
    EXPECT_EQ(ListingOf({"--seed", "4", "--columns", "50", "--columns", "12", "--rows", "9", "--halls", "x",
                         "--halls", "2"}),
              expected);
    EXPECT_EQ(ListingOf({"--seed", "99", "--seed", "4", "--columns", "12", "--rows", "9", "--halls=7", "--halls=2"}),
              expected);
    EXPECT_EQ(ListingOf({"--half-byte", "--half-byte", "--seed", "4", "--columns", "12", "--rows", "9", "--halls", "2"}),
              ListingOf({"--half-byte", "--seed", "4", "--columns", "12", "--rows", "9", "--halls", "2"}));

    TempDir dir;
    const CliCall call = RunCliIn(dir.Path(), {"--seed", "1", "--columns", "8", "--rows", "8", "--png", "a.png",
                                                "--png", "b.png", "--output", "x.txt", "--output", "y.txt"});
    ASSERT_EQ(call.status, 0) << call.err;
    EXPECT_EQ(ListFolder(dir.Path()), (std::vector<std::string>{"b.png", "y.txt"}));
}

TEST(Values, SeedAndCountTakeLeadingZeros) {
    TempDir dir;
    const CliCall call = RunCliIn(dir.Path(), {"--seed", "0018", "--count", "002", "--columns", "8", "--rows", "8"});
    ASSERT_EQ(call.status, 0) << call.err;
    EXPECT_TRUE(std::regex_match(call.out, std::regex("seed 18: Maximal volume of nodes: [0-9]+\n"
                                                      "seed 19: Maximal volume of nodes: [0-9]+\n")))
        << call.out;
}

// --- Runs and their paths ------------------------------------------------------------------

TEST(Runs, DefaultsWriteLabirintTxtAndOneLine) {
    TempDir dir;
    const CliCall call = RunCliIn(dir.Path(), {});
    ASSERT_EQ(call.status, 0) << call.err;
    EXPECT_EQ(call.err, "");
    EXPECT_TRUE(std::regex_match(call.out, std::regex("seed [0-9]+: Maximal volume of nodes: [1-9][0-9]*\n")))
        << call.out;
    EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::string>{"labirint.txt"});
    const std::string listing = ReadFile(dir.File("labirint.txt"));
    EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), 66);
    EXPECT_EQ(listing.rfind("; maze 128x64\r\n\r\ndefb ", 0), 0U);
}

TEST(Runs, RunNumberReplacesEveryBraceN) {
    TempDir dir;
    const Args settings = {"--columns", "20", "--rows", "14", "--attempts", "0", "--same-direction", "99"};
    Args args = {"--seed", "40", "--count", "3", "--output", "l-{n}-{n}.txt", "--png", "p{n}.png"};
    args.insert(args.end(), settings.begin(), settings.end());
    const CliCall call = RunCliIn(dir.Path(), args);
    ASSERT_EQ(call.status, 0) << call.err;
    EXPECT_EQ(ListFolder(dir.Path()), (std::vector<std::string>{"l-1-1.txt", "l-2-2.txt", "l-3-3.txt", "p1.png",
                                                                 "p2.png", "p3.png"}));

    // One generator for the three runs: state carries over, as in the window.
    const std::vector<std::pair<SettingField, std::string>> fields = {{SettingField::Edit4, "20"},
                                                                      {SettingField::Edit5, "14"},
                                                                      {SettingField::Edit3, "0"},
                                                                      {SettingField::Edit2, "99"}};
    const EngineResult engine = EngineRuns(fields, {}, false, false, 40, 3);
    EXPECT_EQ(call.out, engine.stdoutLines);
    EXPECT_EQ(ReadFile(dir.File("l-3-3.txt")), engine.listing);
    EXPECT_EQ(ReadFile(dir.File("l-2-2.txt")), EngineRuns(fields, {}, false, false, 40, 2).listing);
}

TEST(Runs, WithoutBraceNEveryRunReplacesTheFile) {
    TempDir dir;
    const CliCall call = RunCliIn(dir.Path(), {"--seed", "7", "--count", "3", "--columns", "15", "--rows", "11"});
    ASSERT_EQ(call.status, 0) << call.err;
    EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::string>{"labirint.txt"});
    const EngineResult engine = EngineRuns({{SettingField::Edit4, "15"}, {SettingField::Edit5, "11"}}, {}, false, false, 7, 3);
    EXPECT_EQ(call.out, engine.stdoutLines);
    EXPECT_EQ(ReadFile(dir.File("labirint.txt")), engine.listing);
}

TEST(Runs, SeedWrapsAfterTheLargestValue) {
    TempDir dir;
    const CliCall call =
        RunCliIn(dir.Path(), {"--seed", "18446744073709551615", "--count", "2", "--columns", "16", "--rows", "12"});
    ASSERT_EQ(call.status, 0) << call.err;
    TempDir engineDir;
    FakeHost host;
    host.listingPath = engineDir.File("labirint.txt");
    host.settings[SettingField::Edit4] = "16";
    host.settings[SettingField::Edit5] = "12";
    auto generator = std::make_unique<MazeGenerator>();
    generator->Run(host, ~0ULL);
    const int first = generator->State().MaxNodeCount;
    generator->Run(host, 0);
    const int second = generator->State().MaxNodeCount;
    EXPECT_EQ(call.out, "seed 18446744073709551615: Maximal volume of nodes: " + std::to_string(first) +
                            "\nseed 0: Maximal volume of nodes: " + std::to_string(second) + "\n");
    EXPECT_EQ(ReadFile(dir.File("labirint.txt")), ReadFile(host.listingPath));
}

// The PNG holds the picture the run leaves, pixel for pixel.
TEST(Runs, PngIsThePictureOfTheRun) {
    TempDir dir;
    const CliCall call = RunCliIn(dir.Path(), {"--seed", "21", "--columns", "50", "--rows", "40", "--png", "p.png"});
    ASSERT_EQ(call.status, 0) << call.err;
    int width = 0;
    int height = 0;
    const auto pixels = DecodePngRgb(dir.File("p.png"), width, height);
    EXPECT_EQ(width, 600);
    EXPECT_EQ(height, 600);

    TempDir engineDir;
    FakeHost host;
    host.listingPath = engineDir.File("labirint.txt");
    host.settings[SettingField::Edit4] = "50";
    host.settings[SettingField::Edit5] = "40";
    auto generator = std::make_unique<MazeGenerator>();
    generator->Run(host, 21);
    const auto expected = generator->Preview().Pixels();
    EXPECT_TRUE(std::equal(pixels.begin(), pixels.end(), expected.begin(), expected.end()));
}

}  // namespace
}  // namespace zxmaze::testing
