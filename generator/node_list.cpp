#include "generator/node_list.hpp"

#include <algorithm>

namespace zxmaze {

void NodeList::Reset(std::uint8_t x, std::uint8_t y) {
    count_ = 1;
    entries_[1] = {x, y};
}

void NodeList::Remove(std::uint16_t k) {
    count_ = static_cast<std::uint16_t>(count_ - 1);
    if (k <= count_) {
        // Entries k+1..count+1 move down one place; the one above the new end keeps its old value.
        std::copy(entries_.begin() + k + 1, entries_.begin() + count_ + 2, entries_.begin() + k);
    }
}

}  // namespace zxmaze
