#pragma once

#include <array>
#include <cstdint>

namespace zxmaze {

inline constexpr int kGridSize = 128;

// The whole 128 x 128 grid, indexed [x][y]: the cells of one column lie one after the other.
// It always exists in full; a run resets only the cells of its own maze, the rest keeps what
// earlier runs left there.
//
// Each column is stored with a margin of never-written cells around it (two columns on each side,
// two rows above and six below), so the corridor growth can read a node's whole neighbourhood as
// a few 8-byte words without a bounds check: what it reads in the margin it masks off by its own
// bounds tests.
class MazeGrid {
public:
    static constexpr int kMarginColumns = 2;
    static constexpr int kMarginAbove = 2;
    static constexpr int kColumnStride = kMarginAbove + kGridSize + 6;

    std::uint8_t& At(int x, int y) { return cells_[Index(x, y)]; }
    std::uint8_t At(int x, int y) const { return cells_[Index(x, y)]; }

    // Cell (x, y); cell (x + dx, y + dy) is dx * kColumnStride + dy further on. Valid for x in
    // -2..129 and y in -2..133, margin included.
    const std::uint8_t* Cell(int x, int y) const { return &cells_[Index(x, y)]; }

private:
    static std::size_t Index(int x, int y) {
        return static_cast<std::size_t>((x + kMarginColumns) * kColumnStride + y + kMarginAbove);
    }

    std::array<std::uint8_t, (kGridSize + 2 * kMarginColumns) * kColumnStride> cells_{};
};

}  // namespace zxmaze
