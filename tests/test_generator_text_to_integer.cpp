// Reading an edit field's text as an integer, and the message a text that is none gives.
#include <gtest/gtest.h>

#include "generator/text_to_integer.hpp"

namespace zxmaze {
namespace {

struct Accepted {
    const char* text;
    std::int32_t value;
};

class TextAccepted : public ::testing::TestWithParam<Accepted> {};

TEST_P(TextAccepted, GivesValue) {
    const auto value = TextToInteger(GetParam().text);
    ASSERT_TRUE(value.has_value()) << GetParam().text;
    EXPECT_EQ(*value, GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextAccepted,
    ::testing::Values(Accepted{"12", 12}, Accepted{"   12", 12}, Accepted{"+12", 12}, Accepted{"-12", -12},
                      Accepted{"-0", 0}, Accepted{"007", 7}, Accepted{"$1F", 31}, Accepted{"x1F", 31},
                      Accepted{"X1f", 31}, Accepted{"0x1F", 31}, Accepted{"0X1f", 31}, Accepted{"$FFFFFFFF", -1},
                      Accepted{"$80000000", INT32_MIN}, Accepted{"$000000001", 1}, Accepted{"-$1", -1},
                      Accepted{"-$FFFFFFFF", 1}, Accepted{"+$10", 16}, Accepted{" -x10", -16},
                      Accepted{"2147483647", INT32_MAX}, Accepted{"-2147483648", INT32_MIN},
                      Accepted{"00000000000000000000042", 42}, Accepted{"0", 0}, Accepted{"$0", 0}));

class TextRefused : public ::testing::TestWithParam<const char*> {};

TEST_P(TextRefused, GivesNothing) { EXPECT_FALSE(TextToInteger(GetParam()).has_value()) << '"' << GetParam() << '"'; }

INSTANTIATE_TEST_SUITE_P(Table, TextRefused,
                         ::testing::Values("", " ", "   ", "12 ", "\t12", "1 2", "5a", "-", "+", "$", "x", "0x",
                                           "-$", "+0x", "- 5", "--5", "+-5", "2147483648", "-2147483649",
                                           "99999999999", "$100000000", "$1FFFFFFFF", "0x", "0xG", "$-1", "1e3",
                                           "1.0", "\xd9\xa1", "１", "0b1", "00x1", "x 1"));

}  // namespace
}  // namespace zxmaze
