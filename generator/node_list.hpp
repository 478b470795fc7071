#pragma once

#include <array>
#include <cstdint>

namespace zxmaze {

struct Node {
    std::uint8_t x = 0;
    std::uint8_t y = 0;
};

// The open cells from which corridors may still grow, numbered from 1; the newest is entry Count().
// Room for 65536 entries, so every 16-bit node number names a real entry. The list is never cleared:
// entries above Count() keep stale values.
class NodeList {
public:
    std::uint16_t Count() const { return count_; }
    const Node& Entry(std::uint16_t number) const { return entries_[number]; }

    // Starts a run with (x, y) as the only node.
    void Reset(std::uint8_t x, std::uint8_t y);
    void Append(std::uint8_t x, std::uint8_t y) {
        // 16-bit count; a run appends at most 16386 nodes, so this never wraps in practice.
        count_ = static_cast<std::uint16_t>(count_ + 1);
        entries_[count_] = {x, y};
    }
    // Removes node k (1 <= k <= Count()), keeping the order of the others.
    void Remove(std::uint16_t k);

private:
    std::uint16_t count_ = 0;
    std::array<Node, 65536> entries_{};
};

}  // namespace zxmaze
