#pragma once

#include <cstdint>
#include <vector>

#include "generator/cell_code.hpp"

namespace zxmaze {

// The 600 x 600 preview: 8-bit RGB, rows from the top, no padding. Each cell is a 4 x 4 block.
// Holds no image until the first Clear(), so a window can show its background until the first run.
class Picture {
public:
    static constexpr int kSize = 600;
    static constexpr int kCellPixels = 4;

    bool HasImage() const { return !pixels_.empty(); }
    // kSize * kSize * 3 bytes once HasImage().
    const std::vector<std::uint8_t>& Pixels() const { return pixels_; }

    // All white.
    void Clear();
    // The 4 x 4 block of cell (x, y) in the colour of `code`.
    void PaintCell(std::uint8_t x, std::uint8_t y, CellCode code);

private:
    std::vector<std::uint8_t> pixels_;
};

}  // namespace zxmaze
