#include "preview/picture.hpp"

#include <algorithm>

#include "preview/colours.hpp"

namespace zxmaze {

void Picture::Clear() {
    hasImage_ = true;
    blocks_.fill(ccCorridor);
}

void Picture::PaintArea(int lastX, int lastY, CellCode code) {
    for (int y = 0; y <= lastY; ++y) {
        const auto row = blocks_.begin() + static_cast<std::ptrdiff_t>(y) * kCells;
        std::fill(row, row + lastX + 1, code);
    }
}

std::vector<std::uint8_t> Picture::Pixels() const {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kSize) * kSize * 3, 255);  // white: 255 everywhere
    for (int y = 0; y < kCells * kCellPixels; ++y) {
        std::uint8_t* pixel = &pixels[static_cast<std::size_t>(y) * kSize * 3];
        const CellCode* block = &blocks_[static_cast<std::size_t>(y / kCellPixels) * kCells];
        for (int x = 0; x < kCells * kCellPixels; ++x) {
            const Rgb colour = ColourOf(block[x / kCellPixels]);
            *pixel++ = colour.red;
            *pixel++ = colour.green;
            *pixel++ = colour.blue;
        }
    }
    return pixels;
}

}  // namespace zxmaze
