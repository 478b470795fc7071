#pragma once

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

    // A uniform real in [0, 1) with 53 random bits.
    double Real() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

    // trunc(r * 100), 0..99, kept in 8 bits.
    std::uint8_t PercentDraw() { return static_cast<std::uint8_t>(Real() * 100.0); }

private:
    static constexpr std::uint64_t kGamma = 0x9E3779B97F4A7C15ULL;
    std::uint64_t state_ = 0;
};

}  // namespace zxmaze
