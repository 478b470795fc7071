#include "export/binary_image.hpp"

#include "generator/cell_code.hpp"
#include "generator/text_to_integer.hpp"

namespace zxmaze {
namespace {

// The value of a hexadecimal number, or nothing if a character is no hexadecimal digit or the
// value passes 255.
std::optional<unsigned> HexByte(const std::string& digits) {
    unsigned value = 0;
    for (char c : digits) {
        const int digit = HexDigitValue(c);
        if (digit < 0) return std::nullopt;
        value = value * 16 + static_cast<unsigned>(digit);
        if (value > 255) return std::nullopt;
    }
    return value;
}

// The same mapping from cell values to texts as the listing, as numbers.
std::array<std::uint8_t, 256> ValueByCell(const CodeTexts& texts) {
    const auto number = [&](CodeField field) {
        return static_cast<std::uint8_t>(HexByte("0" + texts[static_cast<std::size_t>(field)]).value_or(0));
    };
    std::array<std::uint8_t, 256> table;
    table.fill(number(CodeField::Edit14Wall1));
    table[ccCorridor] = number(CodeField::Edit13Corridor);
    table[ccBox] = number(CodeField::Edit18Box);
    table[ccWall2] = number(CodeField::Edit16Wall2);
    table[ccPillar] = number(CodeField::Edit15Pillar);
    table[ccEnemy] = number(CodeField::Edit17Enemy);
    return table;
}

}  // namespace

std::optional<std::string> BinaryImageProblem(FileCoding coding, const CodeTexts& texts,
                                              const std::array<std::string, 6>& fieldNames) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const std::string& text = texts[i];
        if (coding == FileCoding::fcBytePerCell && !HexByte("0" + text)) {
            return fieldNames[i] + " '" + text + "' does not make a byte after #0";
        }
        if (coding == FileCoding::fcHalfBytePerCell && (text.size() != 1 || !HexByte(text))) {
            return fieldNames[i] + " '" + text + "' is not one hexadecimal digit";
        }
    }
    return std::nullopt;
}

std::string AssembleBinaryImage(const MazeGrid& grid, int lastX, int lastY, FileCoding coding, const CodeTexts& texts) {
    const auto value = ValueByCell(texts);
    std::string bytes;
    for (int y = 0; y <= lastY; ++y) {
        if (coding == FileCoding::fcBytePerCell) {
            for (int x = 0; x <= lastX; ++x) bytes += static_cast<char>(value[grid.At(x, y)]);
        } else {
            // Left cell in the high digit; with an odd width the last pair takes the column right of the maze.
            for (int k = 0; k <= lastX / 2; ++k) {
                bytes += static_cast<char>(value[grid.At(2 * k, y)] << 4 | value[grid.At(2 * k + 1, y)]);
            }
        }
    }
    return bytes;
}

}  // namespace zxmaze
