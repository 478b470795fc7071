#include "preview/picture.hpp"

#include "preview/colours.hpp"

namespace zxmaze {

void Picture::Clear() {
    pixels_.assign(static_cast<std::size_t>(kSize) * kSize * 3, 255);  // white is 255 in every channel
}

void Picture::PaintCell(std::uint8_t x, std::uint8_t y, CellCode code) {
    if (!HasImage()) return;  // nothing to paint on before the first Clear()
    const Rgb colour = ColourOf(code);
    // Pixel coordinates are full integers: cell 127 ends at pixel 511, well inside the picture.
    const std::size_t left = static_cast<std::size_t>(x) * kCellPixels;
    const std::size_t top = static_cast<std::size_t>(y) * kCellPixels;
    for (std::size_t row = top; row < top + kCellPixels; ++row) {
        std::uint8_t* pixel = &pixels_[(row * kSize + left) * 3];
        for (int i = 0; i < kCellPixels; ++i) {
            *pixel++ = colour.red;
            *pixel++ = colour.green;
            *pixel++ = colour.blue;
        }
    }
}

}  // namespace zxmaze
