#include "export/listing.hpp"

#include <string_view>

#include "generator/cell_code.hpp"

namespace zxmaze {
namespace {

// The text for each of the 256 cell values. Unopened hall numbers go through the same table:
// 2 reads as a box, 3 as a type-2 wall, 4 as a pillar, 6 as an enemy, any other as a type-1 wall.
std::array<std::string_view, 256> TextByValue(const CodeTexts& texts) {
    const auto text = [&](CodeField field) { return std::string_view(texts[static_cast<std::size_t>(field)]); };
    std::array<std::string_view, 256> table;
    table.fill(text(CodeField::Edit14Wall1));
    table[ccCorridor] = text(CodeField::Edit13Corridor);
    table[ccBox] = text(CodeField::Edit18Box);
    table[ccWall2] = text(CodeField::Edit16Wall2);
    table[ccPillar] = text(CodeField::Edit15Pillar);
    table[ccEnemy] = text(CodeField::Edit17Enemy);
    return table;
}

}  // namespace

CodeTexts ReadCodeTexts(const Host& host) {
    CodeTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i) texts[i] = host.CodeText(static_cast<CodeField>(i));
    return texts;
}

std::string FormatListing(const MazeGrid& grid, int lastX, int lastY, FileCoding coding, const CodeTexts& texts) {
    const auto table = TextByValue(texts);
    std::string out;
    out.reserve(static_cast<std::size_t>(lastY + 1) * (static_cast<std::size_t>(lastX + 1) * 8 + 8) + 32);
    out += "; maze " + std::to_string(lastX + 1) + "x" + std::to_string(lastY + 1) + "\r\n\r\n";
    for (int y = 0; y <= lastY; ++y) {
        out += "defb ";
        if (coding == FileCoding::fcBytePerCell) {
            for (int x = 0; x <= lastX; ++x) {
                out += "#0";
                out += table[grid.At(x, y)];
                if (x < lastX) out += ',';
            }
        } else {
            for (int k = 0; k <= lastX / 2; ++k) {
                out += '#';
                out += table[grid.At(2 * k, y)];
                out += table[grid.At(2 * k + 1, y)];  // with an odd width: the column right of the maze
                if (2 * k + 1 < lastX) out += ',';
            }
        }
        out += "\r\n";
    }
    return out;
}

}  // namespace zxmaze
