// The listing is for an assembler: a real one (pasmo) must turn it into exactly the bytes of the
// maze, and --bin must write exactly what it makes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "support/cli_call.hpp"
#include "support/temp_dir.hpp"

namespace zxmaze::testing {
namespace {

bool HavePasmo() { return std::system("command -v pasmo >/dev/null 2>&1") == 0; }

// The bytes the listing's entries stand for, read independently of the tool: every "#hh" of the
// "defb" lines is one byte.
std::string DecodeListing(const std::string& listing) {
    std::string bytes;
    std::istringstream lines(listing);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("defb ", 0) != 0) continue;
        std::istringstream entries(line.substr(5));
        for (std::string entry; std::getline(entries, entry, ',');) {
            if (!entry.empty() && entry.back() == '\r') entry.pop_back();
            bytes += static_cast<char>(std::stoul(entry.substr(1), nullptr, 16));
        }
    }
    return bytes;
}

struct AssemblerCase {
    const char* name;
    std::vector<std::string> args;
};

class Assembler : public ::testing::TestWithParam<AssemblerCase> {};

TEST_P(Assembler, AssemblesToTheMazeBytesAndToBin) {
    if (!HavePasmo()) GTEST_SKIP() << "pasmo is not installed (the test command installs it)";
    for (int seed = 1; seed <= 4; ++seed) {
        TempDir dir;
        std::vector<std::string> args = GetParam().args;
        args.insert(args.end(), {"--seed", std::to_string(seed * 7919), "--bin", "maze.bin"});
        const CliCall call = RunCliIn(dir.Path(), args);
        ASSERT_EQ(call.status, 0) << call.err;

        WriteFile(dir.Path() / "game.asm", "include \"labirint.txt\"\n");
        const std::string command = "cd '" + dir.Path().string() + "' && pasmo game.asm game.bin >pasmo.log 2>&1";
        ASSERT_EQ(std::system(command.c_str()), 0) << ReadFile(dir.Path() / "pasmo.log");

        const std::string assembled = ReadFile(dir.Path() / "game.bin");
        EXPECT_EQ(assembled, DecodeListing(ReadFile(dir.Path() / "labirint.txt"))) << "seed " << seed;
        EXPECT_EQ(assembled, ReadFile(dir.Path() / "maze.bin")) << "seed " << seed;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Codings, Assembler,
    ::testing::Values(
        AssemblerCase{"byte_defaults", {}},
        AssemblerCase{"byte_odd_width_long_texts",
                      {"--columns", "37", "--rows", "21", "--code-corridor", "", "--code-wall1", "FF", "--code-pillar",
                       "0a", "--code-wall2", "00C", "--code-enemy", "7f", "--code-box", "b"}},
        AssemblerCase{"half_byte_even", {"--half-byte", "--columns", "64", "--rows", "30"}},
        AssemblerCase{"half_byte_odd_after_wider",
                      {"--half-byte", "--count", "2", "--columns", "51", "--rows", "9", "--code-corridor", "a",
                       "--code-wall1", "F", "--code-pillar", "0", "--code-wall2", "9", "--code-enemy", "c",
                       "--code-box", "E"}},
        AssemblerCase{"tiny_two_columns", {"--columns", "2", "--rows", "2", "--halls", "0"}},
        AssemblerCase{"half_byte_three_columns", {"--half-byte", "--columns", "3", "--rows", "3", "--halls", "0"}}),
    [](const auto& paramInfo) { return std::string(paramInfo.param.name); });

struct RefusedCase {
    std::vector<std::string> args;
    const char* message;
};

class BinRefused : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(BinRefused, NamesTheFieldAndWritesNothing) {
    TempDir dir;
    std::vector<std::string> args = GetParam().args;
    args.insert(args.end(), {"--bin", "maze.bin", "--seed", "1"});
    const CliCall call = RunCliIn(dir.Path(), args);
    EXPECT_EQ(call.status, 2);
    EXPECT_EQ(call.out, "");
    EXPECT_NE(call.err.find(GetParam().message), std::string::npos) << call.err;
    EXPECT_TRUE(ListFolder(dir.Path()).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, BinRefused,
    ::testing::Values(RefusedCase{{"--code-wall1", "123"}, "--code-wall1 '123' does not make a byte after #0"},
                      RefusedCase{{"--code-box", "g"}, "--code-box 'g' does not make a byte after #0"},
                      RefusedCase{{"--code-enemy", " 1"}, "--code-enemy ' 1' does not make a byte after #0"},
                      RefusedCase{{"--half-byte", "--code-corridor", ""}, "--code-corridor '' is not one hexadecimal digit"},
                      RefusedCase{{"--half-byte", "--code-pillar", "10"}, "--code-pillar '10' is not one hexadecimal digit"}));

}  // namespace
}  // namespace zxmaze::testing
