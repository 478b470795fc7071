#include "support/grid_text.hpp"

#include <stdexcept>

namespace zxmaze::testing {
namespace {

std::uint8_t ValueOf(char symbol) {
    switch (symbol) {
        case '.': return 0;
        case '#': return 1;
        case 'B': return 2;
        case 'W': return 3;
        case 'P': return 4;
        case 'E': return 6;
        default:
            if (symbol >= '0' && symbol <= '9') return static_cast<std::uint8_t>(symbol - '0');
            throw std::invalid_argument(std::string("no cell is drawn as '") + symbol + "'");
    }
}

char SymbolOf(std::uint8_t value) {
    switch (value) {
        case 0: return '.';
        case 1: return '#';
        case 2: return 'B';
        case 3: return 'W';
        case 4: return 'P';
        case 6: return 'E';
        default: return value < 10 ? static_cast<char>('0' + value) : '*';
    }
}

}  // namespace

void PaintCells(MazeGrid& grid, const std::vector<std::string>& rows, int left, int top) {
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            grid.At(left + static_cast<int>(x), top + static_cast<int>(y)) = ValueOf(rows[y][x]);
        }
    }
}

std::vector<std::string> DrawCells(const MazeGrid& grid, int lastX, int lastY) {
    std::vector<std::string> rows;
    for (int y = 0; y <= lastY; ++y) {
        std::string row;
        for (int x = 0; x <= lastX; ++x) row += SymbolOf(grid.At(x, y));
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::string> DrawValues(const MazeGrid& grid, int lastX, int lastY) {
    std::vector<std::string> rows;
    for (int y = 0; y <= lastY; ++y) {
        std::string row;
        for (int x = 0; x <= lastX; ++x) {
            const std::uint8_t value = grid.At(x, y);
            row += value < 16 ? "0123456789abcdef"[value] : '+';
        }
        rows.push_back(row);
    }
    return rows;
}

long DrawsBetween(RandomSource from, RandomSource to, long limit) {
    // Equal next outputs mean equal states: each output is a one-to-one function of the state.
    const std::uint64_t target = to.Next();
    for (long draws = 0; draws <= limit; ++draws) {
        RandomSource probe = from;
        if (probe.Next() == target) return draws;
        from.Next();
    }
    return -1;
}

}  // namespace zxmaze::testing
