#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "generator/settings.hpp"

namespace zxmaze::testing {

// A second generator, written as plainly as the rules read: every attempt tests its direction
// cell by cell, every draw is taken one by one, every opened hall scans the whole maze. It has none
// of the engine's short cuts, so comparing the two catches a short cut that changes a maze.
class LiteralGenerator {
public:
    std::array<std::array<std::uint8_t, 128>, 128> grid{};  // [x][y]
    std::string currentDirection;                          // "" until the first draw
    bool randomNodeMode = false;
    std::uint16_t maxNodeCount = 0;

    // One run after a successful settings intake.
    void Run(const GeneratorSettings& settings, std::uint64_t seed);

    // The random source's state after the last run.
    std::uint64_t RandomState() const { return state_; }

private:
    double Real();
    std::uint8_t Percent();
    void PickDirection();
    bool TestDirection(const std::string& text, int x, int y);
    void Append(int x, int y);

    GeneratorSettings s_{};
    std::uint64_t state_ = 0;
    std::array<std::array<std::uint8_t, 2>, 65536> nodes_{};
    std::uint16_t nodeCount_ = 0;
};

}  // namespace zxmaze::testing
