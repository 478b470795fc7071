#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "generator/cell_code.hpp"

namespace zxmaze {

// The 600 x 600 preview. Every change to it is either "all white" or "one cell's 4 x 4 block in
// one colour", so it is kept as the colour of each of the 128 x 128 cell blocks (the rest of the
// picture is always white) and turned into pixels only when someone looks: painting a cell costs
// one byte, not 48.
// Holds no image until the first Clear(), so a window can show its background until the first run.
class Picture {
public:
    static constexpr int kSize = 600;
    static constexpr int kCellPixels = 4;
    static constexpr int kCells = 128;

    bool HasImage() const { return hasImage_; }

    // All white.
    void Clear();
    // The 4 x 4 block of cell (x, y) in the colour of `code`. Cell 127 ends at pixel 511.
    void PaintCell(std::uint8_t x, std::uint8_t y, CellCode code) {
        if (x < kCells && y < kCells) blocks_[static_cast<std::size_t>(y) * kCells + x] = code;
    }
    // Every cell of columns 0..lastX and rows 0..lastY, as PaintCell on each would.
    void PaintArea(int lastX, int lastY, CellCode code);

    // The pixels: 8-bit RGB, rows from the top, no padding, kSize * kSize * 3 bytes
    // (all white before the first Clear()).
    std::vector<std::uint8_t> Pixels() const;

private:
    bool hasImage_ = false;
    std::array<CellCode, kCells * kCells> blocks_{};  // [y][x]; ccCorridor is white
};

}  // namespace zxmaze
