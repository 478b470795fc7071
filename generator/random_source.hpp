#pragma once

#include <array>
#include <cstdint>

namespace zxmaze {

// SplitMix64: fixed so that a seed names the same maze on every machine and every release.
class RandomSource {
public:
    void Reseed(std::uint64_t seed) { state_ = seed; }

    std::uint64_t Next() {
        state_ += kGamma;
        std::uint64_t z = state_;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // Passes over `count` draws at once: each draw only adds the constant to the state.
    void Skip(std::uint64_t count) { state_ += count * kGamma; }  // wraps modulo 2^64, as the draws do

    // The 53 random bits of a draw: the real r of the draw is Bits() * 2^-53.
    std::uint64_t Bits() { return Next() >> 11; }

    // A uniform real in [0, 1) with 53 random bits.
    double Real() { return RealOf(Bits()); }

    // trunc(r * 4), 0..3. r * 4 is Bits() * 2^-51, exact in a double, so its integer part is
    // simply the top two of the 53 bits: no conversion needed.
    std::uint8_t QuarterDraw() { return static_cast<std::uint8_t>(Bits() >> 51); }

    // trunc(r * 100), 0..99, kept in 8 bits.
    std::uint8_t PercentDraw() { return PercentOf(Bits()); }

    static constexpr double RealOf(std::uint64_t bits) { return static_cast<double>(bits) * 0x1.0p-53; }
    static constexpr std::uint8_t PercentOf(std::uint64_t bits) { return static_cast<std::uint8_t>(RealOf(bits) * 100.0); }

private:
    static constexpr std::uint64_t kGamma = 0x9E3779B97F4A7C15ULL;
    std::uint64_t state_ = 0;
};

// "A percent draw is below `percent`" decided on the draw's bits alone: the percent of a draw never
// falls as its bits grow, so the draws below a percent are exactly those whose bits are below a
// limit. Same answer as comparing trunc(r * 100), without the conversions in the hot loops.
class PercentLimit {
public:
    explicit PercentLimit(int percent) : limit_(LimitOf(percent)) {}

    // Whether the percent of the draw with these bits is below the percent.
    bool Below(std::uint64_t bits) const { return bits < limit_; }

private:
    static constexpr std::uint64_t kDrawCount = 1ULL << 53;

    // The fewest bits whose percent is `percent` or more, found by halving once for each percent.
    static constexpr std::uint64_t FirstBitsReaching(int percent) {
        std::uint64_t below = 0;  // percent of `below` is under `percent`
        std::uint64_t reaching = kDrawCount;
        while (reaching - below > 1) {
            const std::uint64_t middle = below + (reaching - below) / 2;
            (RandomSource::PercentOf(middle) < percent ? below : reaching) = middle;
        }
        return reaching;
    }

    static constexpr std::array<std::uint64_t, 101> MakeLimits() {
        std::array<std::uint64_t, 101> limits{};
        for (int percent = 1; percent <= 100; ++percent) limits[static_cast<std::size_t>(percent)] = FirstBitsReaching(percent);
        return limits;
    }

    static std::uint64_t LimitOf(int percent) {
        static constexpr std::array<std::uint64_t, 101> kLimits = MakeLimits();
        if (percent <= 0) return 0;
        if (percent >= 100) return kDrawCount;  // every draw is below 100
        return kLimits[static_cast<std::size_t>(percent)];
    }

    std::uint64_t limit_;
};

}  // namespace zxmaze
