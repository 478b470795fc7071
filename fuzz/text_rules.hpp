#pragma once

// A second, deliberately plain reading of the rules for a field's text, for the fuzz targets to
// hold the engine's conversion and intake against. It shares no code with the engine: the digits
// are read by std::from_chars.

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zxmaze::fuzz {

inline bool AllIn(std::string_view text, std::string_view allowed) {
    return text.find_first_not_of(allowed) == std::string_view::npos;
}

// Spaces (only the space character), an optional sign, then either decimal digits up to the
// signed 32-bit range, or "$", "x", "X", "0x", "0X" and hexadecimal digits whose value fits in
// 32 bits, taken as a bit pattern that the sign negates.
inline std::optional<std::int32_t> ExpectedInteger(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    bool hex = false;
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        hex = true;
        text.remove_prefix(2);
    } else if (!text.empty() && (text[0] == '$' || text[0] == 'x' || text[0] == 'X')) {
        hex = true;
        text.remove_prefix(1);
    }
    if (text.empty() || !AllIn(text, hex ? "0123456789abcdefABCDEF" : "0123456789")) return std::nullopt;

    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, hex ? 16 : 10);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;  // past 64 bits
    if (hex) {
        if (value > 0xFFFFFFFFULL) return std::nullopt;
        std::uint32_t bits = static_cast<std::uint32_t>(value);
        if (negative) bits = ~bits + 1U;
        return static_cast<std::int32_t>(bits);
    }
    if (value > (negative ? 2147483648ULL : 2147483647ULL)) return std::nullopt;
    return static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(value) : static_cast<std::int64_t>(value));
}

inline std::string NotAnIntegerMessage(const std::string& text) { return "'" + text + "' is not a valid integer value"; }

inline std::string OutOfRangeMessage(const std::string& text, bool columns) {
    return "'" + text + "' is out of range: a maze has 2 to 128 cells in " + (columns ? "length" : "width");
}

// A size field's value gives columns or rows 2..128 once wrapped to 8 bits (value - 1 in 1..127).
inline bool IsMazeSize(std::int32_t value) {
    const std::uint32_t last = (static_cast<std::uint32_t>(value) - 1U) & 0xFFU;
    return last >= 1 && last <= 127;
}

}  // namespace zxmaze::fuzz
