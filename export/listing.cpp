#include "export/listing.hpp"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

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

namespace {

// Appends short texts fast: each text is copied as one fixed-size block from a padded slot, and the
// write position then moves on by its real length. Longer texts go the ordinary way.
class ListingBuffer {
public:
    static constexpr std::size_t kSlot = 16;

    explicit ListingBuffer(std::size_t size) : out_(size + kSlot, '\0') {}

    void Append(std::string_view text) {
        std::memcpy(&out_[length_], text.data(), text.size());
        length_ += text.size();
    }
    void Append(const std::array<char, kSlot>& slot, std::size_t size) {
        std::memcpy(&out_[length_], slot.data(), kSlot);  // the slack at the end takes the overhang
        length_ += size;
    }
    void Put(char c) { out_[length_++] = c; }
    std::string Finish() {
        out_.resize(length_);
        return std::move(out_);
    }

private:
    std::string out_;
    std::size_t length_ = 0;
};

// A text ready for ListingBuffer: in a padded slot when it fits.
struct Piece {
    std::string text;
    std::array<char, ListingBuffer::kSlot> slot{};
    bool fits = false;

    explicit Piece(std::string value) : text(std::move(value)), fits(text.size() <= ListingBuffer::kSlot) {
        if (fits) std::memcpy(slot.data(), text.data(), text.size());
    }
    void AppendTo(ListingBuffer& buffer) const {
        if (fits) {
            buffer.Append(slot, text.size());
        } else {
            buffer.Append(text);
        }
    }
};

}  // namespace

std::string FormatListing(const MazeGrid& grid, int lastX, int lastY, FileCoding coding, const CodeTexts& texts) {
    const auto table = TextByValue(texts);
    const bool bytePerCell = coding == FileCoding::fcBytePerCell;
    // Each cell's entry: "#0" and its text in the byte coding; in the half-byte coding the left cell
    // of a pair brings "#" and its text, the right one only its text.
    std::vector<Piece> left;
    std::vector<Piece> right;
    left.reserve(256);
    right.reserve(256);
    for (std::string_view text : table) {
        left.emplace_back((bytePerCell ? "#0" : "#") + std::string(text));
        right.emplace_back(std::string(text));
    }

    const std::string header = "; maze " + std::to_string(lastX + 1) + "x" + std::to_string(lastY + 1) + "\r\n\r\n";
    // Room for the longest entries everywhere; the unused rest is cut off at the end.
    std::size_t longest = 0;
    for (std::size_t v = 0; v < left.size(); ++v) longest = std::max(longest, left[v].text.size() + right[v].text.size());
    const std::size_t size =
        header.size() + static_cast<std::size_t>(lastY + 1) * (7 + static_cast<std::size_t>(lastX + 2) * (longest + 1));

    ListingBuffer out(size);
    out.Append(header);
    for (int y = 0; y <= lastY; ++y) {
        out.Append("defb ");
        if (bytePerCell) {
            for (int x = 0; x <= lastX; ++x) {
                left[grid.At(x, y)].AppendTo(out);
                if (x < lastX) out.Put(',');
            }
        } else {
            for (int k = 0; k <= lastX / 2; ++k) {
                left[grid.At(2 * k, y)].AppendTo(out);
                right[grid.At(2 * k + 1, y)].AppendTo(out);  // with an odd width: the column right of the maze
                if (2 * k + 1 < lastX) out.Put(',');
            }
        }
        out.Append("\r\n");
    }
    return out.Finish();
}

}  // namespace zxmaze
