// The hot loops decide "percent draw below p" on a draw's bits; it must agree with trunc(r * 100) < p.
#include <gtest/gtest.h>

#include <vector>

#include "generator/random_source.hpp"

namespace zxmaze {
namespace {

constexpr std::uint64_t kDrawCount = 1ULL << 53;

TEST(PercentLimit, AgreesWithThePercentAtEveryBoundary) {
    // The answer can only change where the percent of the bits changes: check both sides of each.
    for (int percent = 1; percent <= 99; ++percent) {
        const PercentLimit limit(percent);
        std::uint64_t below = 0;
        std::uint64_t reaching = kDrawCount;
        while (reaching - below > 1) {
            const std::uint64_t middle = below + (reaching - below) / 2;
            (RandomSource::PercentOf(middle) < percent ? below : reaching) = middle;
        }
        EXPECT_TRUE(limit.Below(below)) << percent;
        EXPECT_FALSE(limit.Below(reaching)) << percent;
        EXPECT_LT(RandomSource::PercentOf(below), percent);
        EXPECT_GE(RandomSource::PercentOf(reaching), percent);
    }
}

TEST(PercentLimit, AgreesWithThePercentOnSeededDraws) {
    RandomSource random;
    random.Reseed(12345);
    for (int i = 0; i < 20000; ++i) {
        const std::uint64_t bits = random.Bits();
        for (int percent : {-1, 0, 1, 2, 20, 50, 99, 100, 101, 255}) {
            EXPECT_EQ(PercentLimit(percent).Below(bits), RandomSource::PercentOf(bits) < percent) << bits;
        }
    }
}

TEST(PercentLimit, EdgesOfTheRange) {
    EXPECT_FALSE(PercentLimit(0).Below(0));  // percent 0 never fires
    EXPECT_TRUE(PercentLimit(100).Below(kDrawCount - 1));  // 100 always does
    EXPECT_TRUE(PercentLimit(255).Below(kDrawCount - 1));
    EXPECT_TRUE(PercentLimit(1).Below(0));
}

TEST(QuarterDraw, IsTheIntegerPartOfFourTimesTheReal) {
    RandomSource random;
    random.Reseed(777);
    std::vector<std::uint64_t> bits = {0, 1, (1ULL << 51) - 1, 1ULL << 51, (1ULL << 52) - 1, 1ULL << 52,
                                       3ULL << 51, (3ULL << 51) - 1, kDrawCount - 1};
    for (int i = 0; i < 20000; ++i) bits.push_back(random.Bits());
    for (const std::uint64_t b : bits) {
        EXPECT_EQ(b >> 51, static_cast<std::uint64_t>(RandomSource::RealOf(b) * 4.0)) << b;
    }
    RandomSource quarters;
    RandomSource reals;
    quarters.Reseed(99);
    reals.Reseed(99);
    for (int i = 0; i < 1000; ++i) EXPECT_EQ(quarters.QuarterDraw(), static_cast<int>(reals.Real() * 4.0));
}

}  // namespace
}  // namespace zxmaze
