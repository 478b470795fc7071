#pragma once

#include <cstdint>

namespace zxmaze {

// What a grid cell holds. Values 2 and up double as hall numbers while the halls are unopened,
// so 5 and everything above 6 are legal cell values without being element codes.
enum CellCode : std::uint8_t {
    ccCorridor = 0,
    ccWall1 = 1,
    ccBox = 2,
    ccWall2 = 3,
    ccPillar = 4,
    ccEnemy = 6,
};

}  // namespace zxmaze
