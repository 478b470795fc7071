#pragma once

#include <array>
#include <cstdint>

namespace zxmaze {

inline constexpr int kGridSize = 128;

// The whole 128 x 128 grid, indexed [x][y]: the cells of one column lie one after the other.
// It always exists in full; a run resets only the cells of its own maze, the rest keeps what
// earlier runs left there.
class MazeGrid {
public:
    std::uint8_t& At(int x, int y) { return cells_[Index(x, y)]; }
    std::uint8_t At(int x, int y) const { return cells_[Index(x, y)]; }

    // One column, rows 0..127, for sweeps that scan a column at a time.
    const std::uint8_t* Column(int x) const { return &cells_[Index(x, 0)]; }

private:
    static std::size_t Index(int x, int y) { return static_cast<std::size_t>(x * kGridSize + y); }

    std::array<std::uint8_t, kGridSize * kGridSize> cells_{};
};

}  // namespace zxmaze
