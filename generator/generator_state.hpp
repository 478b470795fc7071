#pragma once

#include <cstdint>

namespace zxmaze {

// The direction a corridor grows in. None only until the first direction is drawn after start-up:
// no direction test matches it.
enum class Direction : std::uint8_t { None, Up, Down, Left, Right };

// The run state that is not the grid, the node list or the settings. Zero at start-up; the
// direction and the node mode carry over from one run to the next.
struct GeneratorState {
    std::uint16_t MaxNodeCount = 0;
    std::uint16_t CurrentNode = 0;
    Direction CurrentDirection = Direction::None;
    bool RandomNodeMode = false;
    std::uint8_t AttemptCounter = 0;  // wraps from 255 to 0
    bool Carved = false;
    std::uint8_t HallFound = 0;
    std::int32_t DelayCounter = 0;
};

}  // namespace zxmaze
