#include "support/literal_generator.hpp"

namespace zxmaze::testing {

double LiteralGenerator::Real() {
    state_ += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = state_;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) * 0x1.0p-53;
}

std::uint8_t LiteralGenerator::Percent() { return static_cast<std::uint8_t>(static_cast<std::int64_t>(Real() * 100)); }

void LiteralGenerator::PickDirection() {
    static const char* const kTexts[] = {"up", "down", "left", "right"};
    currentDirection = kTexts[static_cast<int>(Real() * 4)];
}

void LiteralGenerator::Append(int x, int y) {
    nodeCount_ = static_cast<std::uint16_t>(nodeCount_ + 1);
    nodes_[nodeCount_] = {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)};
}

bool LiteralGenerator::TestDirection(const std::string& text, int x, int y) {
    if (currentDirection != text) return false;
    const int lastX = s_.LastX;
    const int lastY = s_.LastY;
    int stepX = x;
    int stepY = y;
    bool inBounds = false;
    if (text == "up") {
        inBounds = 0 < x && x < lastX && y > 1;
        stepY = y - 1;
    } else if (text == "down") {
        inBounds = 0 < x && x < lastX && y < lastY - 1;
        stepY = y + 1;
    } else if (text == "left") {
        inBounds = 0 < y && y < lastY && x > 1;
        stepX = x - 1;
    } else {
        inBounds = 0 < y && y < lastY && x < lastX - 1;
        stepX = x + 1;
    }
    if (!inBounds) return false;
    // The block: the step cell, its two neighbours across the direction, and the three beyond.
    const int dx = stepX - x;
    const int dy = stepY - y;
    for (int along = 1; along <= 2; ++along) {
        for (int across = -1; across <= 1; ++across) {
            const int cx = x + dx * along + (dx == 0 ? across : 0);
            const int cy = y + dy * along + (dy == 0 ? across : 0);
            if (grid[static_cast<std::size_t>(cx)][static_cast<std::size_t>(cy)] == 0) return false;
        }
    }
    const std::uint8_t hall = grid[static_cast<std::size_t>(stepX)][static_cast<std::size_t>(stepY)];
    if (hall > 1) {
        for (int cx = 0; cx <= lastX; ++cx) {
            for (int cy = 0; cy <= lastY; ++cy) {
                auto& cell = grid[static_cast<std::size_t>(cx)][static_cast<std::size_t>(cy)];
                if (cell == hall) {
                    cell = 0;
                    Append(cx, cy);
                }
            }
        }
    } else {
        grid[static_cast<std::size_t>(stepX)][static_cast<std::size_t>(stepY)] = 0;
        Append(stepX, stepY);
    }
    return true;
}

void LiteralGenerator::Run(const GeneratorSettings& settings, std::uint64_t seed) {
    s_ = settings;
    state_ = seed;
    const int lastX = s_.LastX;
    const int lastY = s_.LastY;
    for (int x = 0; x <= lastX; ++x) {
        for (int y = 0; y <= lastY; ++y) grid[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)] = 1;
    }
    nodeCount_ = 1;
    maxNodeCount = 1;
    nodes_[1] = {1, 1};
    grid[1][1] = 0;

    // Halls.
    for (int k = 1; k <= (s_.HallCount & 0xFF); ++k) {
        const auto w = static_cast<std::uint8_t>(static_cast<std::int64_t>(Real() * (s_.MaxHallSize - 2) + 3));
        const auto h = static_cast<std::uint8_t>(static_cast<std::int64_t>(Real() * (s_.MaxHallSize - 2) + 3));
        const auto x0 = static_cast<std::uint8_t>(static_cast<std::int64_t>(Real() * (lastX - w - 2) + 1));
        const auto y0 = static_cast<std::uint8_t>(static_cast<std::int64_t>(Real() * (lastY - h - 2) + 1));
        const auto x1 = static_cast<std::uint8_t>(x0 + w);
        const auto y1 = static_cast<std::uint8_t>(y0 + h);
        for (int x = x0; x <= x1; ++x) {
            for (int y = y0; y <= y1; ++y) {
                if (x < 128 && y < 128) grid[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)] = static_cast<std::uint8_t>(k + 1);
            }
        }
    }

    // Corridors.
    do {
        std::uint16_t current = nodeCount_;
        if (randomNodeMode && Percent() > s_.KeepCorridorPercent) {
            current = static_cast<std::uint16_t>(static_cast<std::int64_t>(Real() * nodeCount_ + 1));
        }
        std::uint8_t attempt = 0;
        bool carved = false;
        do {
            attempt = static_cast<std::uint8_t>(attempt + 1);
            if (attempt > 1) {
                PickDirection();
            } else if (Percent() > s_.SameDirectionPercent) {
                PickDirection();
            }
            const int x = nodes_[current][0];
            const int y = nodes_[current][1];
            for (const char* text : {"up", "down", "left", "right"}) carved |= TestDirection(text, x, y);
            if (nodeCount_ > maxNodeCount) maxNodeCount = nodeCount_;
        } while (!carved && attempt != s_.AttemptsPerNode);
        if (!carved) {
            nodeCount_ = static_cast<std::uint16_t>(nodeCount_ - 1);
            for (int i = current; i <= nodeCount_; ++i) nodes_[static_cast<std::size_t>(i)] = nodes_[static_cast<std::size_t>(i) + 1];
        }
    } while (nodeCount_ != 0);

    // Decoration.
    auto at = [&](int x, int y) -> std::uint8_t& { return grid[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)]; };
    for (int x = 1; x <= lastX - 1; ++x) {
        for (int y = 1; y <= lastY - 1; ++y) {
            const std::uint8_t p = Percent();
            if (at(x - 1, y - 1) == 0 && at(x, y - 1) == 0 && at(x + 1, y - 1) == 0 && at(x - 1, y) == 0 &&
                at(x + 1, y) == 0 && at(x - 1, y + 1) == 0 && at(x, y + 1) == 0 && at(x + 1, y + 1) == 0 &&
                p < s_.PillarPercent) {
                at(x, y) = 4;
            }
            if (at(x, y) == 1 && p < s_.Wall2Percent) {
                const bool corner = (at(x, y - 1) == 1 && at(x + 1, y) == 1 && at(x + 1, y - 1) == 0) ||
                                    (at(x - 1, y) == 1 && at(x, y - 1) == 1 && at(x - 1, y - 1) == 0) ||
                                    (at(x - 1, y) == 1 && at(x, y + 1) == 1 && at(x - 1, y + 1) == 0) ||
                                    (at(x + 1, y) == 1 && at(x, y + 1) == 1 && at(x + 1, y + 1) == 0);
                if (!corner) at(x, y) = 3;
            }
        }
    }
    const auto scatter = [&](int firstX, int lastColumn, std::uint8_t percent, std::uint8_t code) {
        for (int x = firstX; x <= lastColumn; ++x) {
            for (int y = 1; y <= lastY - 1; ++y) {
                const std::uint8_t p = Percent();
                if (at(x, y) == 0 && p < percent) at(x, y) = code;
            }
        }
    };
    scatter(1, lastX / 2, s_.EnemyLeftPercent, 6);
    scatter(lastX / 2 + 1, lastX - 1, s_.EnemyRightPercent, 6);
    scatter(1, lastX - 1, s_.BoxPercent, 2);
}

}  // namespace zxmaze::testing
