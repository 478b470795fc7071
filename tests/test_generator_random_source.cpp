// The random source: a seed must name the same maze everywhere, so its sequence is pinned here.
#include <gtest/gtest.h>

#include <cmath>

#include "generator/random_source.hpp"

namespace zxmaze {
namespace {

RandomSource Seeded(std::uint64_t seed) {
    RandomSource random;
    random.Reseed(seed);
    return random;
}

TEST(RandomSource, SeedZeroGivesTheFixedFirstOutputs) {
    RandomSource random = Seeded(0);
    EXPECT_EQ(random.Next(), 0xe220a8397b1dcdafULL);
    EXPECT_EQ(random.Next(), 0x6e789e6aa1b965f4ULL);
    EXPECT_EQ(random.Next(), 0x06c45d188009454fULL);
}

TEST(RandomSource, MatchesTheWidelyPublishedSequenceForSeed1234567) {
    RandomSource random = Seeded(1234567);
    for (const std::uint64_t expected : {6457827717110365317ULL, 3203168211198807973ULL, 9817491932198370423ULL,
                                         4593380528125082431ULL, 16408922859458223821ULL}) {
        EXPECT_EQ(random.Next(), expected);
    }
}

TEST(RandomSource, ReseedStartsTheSequenceAgain) {
    RandomSource random = Seeded(77);
    const std::uint64_t first = random.Next();
    random.Next();
    random.Reseed(77);
    EXPECT_EQ(random.Next(), first);
}

TEST(RandomSource, RealIsTheTop53BitsScaledIntoTheUnitInterval) {
    RandomSource random = Seeded(0);
    EXPECT_EQ(random.Real(), static_cast<double>(0xe220a8397b1dcdafULL >> 11) * 0x1.0p-53);
    EXPECT_EQ(random.Real(), static_cast<double>(0x6e789e6aa1b965f4ULL >> 11) * 0x1.0p-53);
}

TEST(RandomSource, PercentDrawIsTheTruncatedHundredfoldReal) {
    RandomSource reals = Seeded(99);
    RandomSource percents = Seeded(99);
    for (int i = 0; i < 1000; ++i) {
        const double r = reals.Real();
        const std::uint8_t percent = percents.PercentDraw();
        ASSERT_EQ(percent, static_cast<std::uint8_t>(std::trunc(r * 100.0))) << "draw " << i;
        ASSERT_LT(percent, 100);
    }
}

struct SkipCase {
    std::uint64_t seed;
    std::uint64_t count;
};

class RandomSkip : public ::testing::TestWithParam<SkipCase> {};

// Skipping is how a node that cannot grow passes over its attempts: it must land where the draws would.
TEST_P(RandomSkip, EqualsThatManyDraws) {
    RandomSource skipped = Seeded(GetParam().seed);
    RandomSource drawn = Seeded(GetParam().seed);
    skipped.Skip(GetParam().count);
    for (std::uint64_t i = 0; i < GetParam().count; ++i) drawn.Next();
    EXPECT_EQ(skipped.Next(), drawn.Next());
}

INSTANTIATE_TEST_SUITE_P(Table, RandomSkip,
                         ::testing::Values(SkipCase{0, 0}, SkipCase{0, 1}, SkipCase{0, 2}, SkipCase{5, 253},
                                           SkipCase{42, 1000}, SkipCase{~0ULL, 3},
                                           SkipCase{0x8000000000000000ULL, 77}));

}  // namespace
}  // namespace zxmaze
