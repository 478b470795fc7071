#pragma once

#include <cstdint>

#include "generator/cell_code.hpp"

namespace zxmaze {

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

inline constexpr Rgb kWhite{255, 255, 255};

// The colour of each element in the picture. Hall numbers are never painted, so other values
// never reach here; they fall back to the wall's blue, which is how an unopened hall looks.
constexpr Rgb ColourOf(CellCode code) {
    switch (code) {
        case ccCorridor: return kWhite;
        case ccWall1: return {0, 0, 255};
        case ccBox: return {255, 255, 0};
        case ccWall2: return {0, 0, 0};
        case ccPillar: return {128, 128, 128};
        case ccEnemy: return {255, 0, 0};
    }
    return {0, 0, 255};
}

}  // namespace zxmaze
