// Arguments the fuzzing of zxmaze-cli's options found handled wrongly, kept as cases here (the
// fuzz corpus holds them too).
#include <gtest/gtest.h>

#include "support/cli_call.hpp"
#include "support/temp_dir.hpp"

namespace zxmaze::testing {
namespace {

struct ArgsCase {
    const char* name;
    std::vector<std::string> args;
};

void PrintTo(const ArgsCase& c, std::ostream* os) { *os << c.name; }

class DoubleDash : public ::testing::TestWithParam<ArgsCase> {};

// "--" is no option of zxmaze-cli. The option parser took it as the end of the options and, with
// nothing after it, ran with the defaults and wrote labirint.txt.
TEST_P(DoubleDash, IsAUsageError) {
    TempDir dir;
    const CliCall call = RunCliIn(dir.Path(), GetParam().args);
    EXPECT_EQ(call.status, 2);
    EXPECT_EQ(call.out, "");
    EXPECT_EQ(call.err, "zxmaze-cli: unknown option --\nRun with --help for the options.\n");
    EXPECT_TRUE(ListFolder(dir.Path()).empty());
}

INSTANTIATE_TEST_SUITE_P(Table, DoubleDash,
                         ::testing::Values(ArgsCase{"Alone", {"--"}}, ArgsCase{"AtTheEnd", {"--seed", "1", "--"}},
                                           ArgsCase{"BeforeOptions", {"--", "--seed", "1"}}),
                         [](const auto& paramInfo) { return std::string(paramInfo.param.name); });

// As a value it is a text like any other, and goes to the field.
TEST(DoubleDashAsValue, GoesToItsField) {
    TempDir dir;
    const CliCall call = RunCliIn(dir.Path(), {"--seed", "1", "--halls", "--"});
    EXPECT_EQ(call.status, 1);
    EXPECT_EQ(call.err, "zxmaze-cli: '--' is not a valid integer value.\n");
    EXPECT_TRUE(ListFolder(dir.Path()).empty());
}

// "--report=" asks for the text report. The parser took the empty value as none given and then
// the next argument as the value: "--report= 11" ran, the bare 11 silently eaten.
TEST(EmptyReportValue, TakesNoFurtherArgument) {
    TempDir dir;
    const CliCall bare = RunCliIn(dir.Path(), {"--seed", "9", "--report=", "11", "--report=json"});
    EXPECT_EQ(bare.status, 2);
    EXPECT_EQ(bare.out, "");
    EXPECT_TRUE(ListFolder(dir.Path()).empty());

    const CliCall text = RunCliIn(dir.Path(), {"--seed", "9", "--columns", "6", "--rows", "4", "--report="});
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_NE(text.out.find("\n  size: 6 x 4 cells\n"), std::string::npos) << text.out;
}

}  // namespace
}  // namespace zxmaze::testing
