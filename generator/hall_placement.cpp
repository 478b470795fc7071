#include <algorithm>

#include "generator/maze_generator.hpp"

namespace zxmaze {
namespace {

// trunc(r * span + offset) in IEEE double, then the low 8 bits. `span` may be zero or negative.
std::uint8_t ScaledDraw(double r, int span, int offset) {
    const double value = r * static_cast<double>(span) + static_cast<double>(offset);
    return static_cast<std::uint8_t>(static_cast<std::int64_t>(value));  // 8-bit wrap of negatives too
}

}  // namespace

void MazeGenerator::PlaceHalls() {
    const int hallTotal = settings_.HallCount & 0xFF;  // only the low 8 bits count: 256 halls are none
    for (int k = 1; k <= hallTotal; ++k) {
        const auto hallNumber = static_cast<std::uint8_t>(k + 1);  // the 255th hall wraps to 0
        const std::uint8_t w = ScaledDraw(random_.Real(), settings_.MaxHallSize - 2, 3);
        const std::uint8_t h = ScaledDraw(random_.Real(), settings_.MaxHallSize - 2, 3);
        const std::uint8_t x0 = ScaledDraw(random_.Real(), settings_.LastX - w - 2, 1);
        const std::uint8_t y0 = ScaledDraw(random_.Real(), settings_.LastY - h - 2, 1);
        // 8-bit end positions: an end that overflowed lies below the start and marks nothing.
        const auto x1 = static_cast<std::uint8_t>(x0 + w);
        const auto y1 = static_cast<std::uint8_t>(y0 + h);
        // A hall too big for the maze may run past it, but never past the grid's last column or row.
        const int lastColumn = std::min<int>(x1, kGridSize - 1);
        const int lastRow = std::min<int>(y1, kGridSize - 1);
        for (int x = x0; x <= lastColumn; ++x) {
            for (int y = y0; y <= lastRow; ++y) grid_.At(x, y) = hallNumber;
        }
        hallBounds_[hallNumber] = {x0, std::min<int>(x1, settings_.LastX), y0, std::min<int>(y1, settings_.LastY)};
    }
}

}  // namespace zxmaze
