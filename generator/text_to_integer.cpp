#include "generator/text_to_integer.hpp"

namespace zxmaze {

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

namespace {

// Digits in the given base up to the end of the text, at least one; the value may not pass `limit`
// (leading zeros are fine, the limit is on the value).
std::optional<std::uint64_t> ReadDigits(std::string_view digits, int base, std::uint64_t limit) {
    if (digits.empty()) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : digits) {
        const int digit = base == 16 ? HexDigitValue(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
        if (digit < 0) return std::nullopt;
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (value > limit) return std::nullopt;
    }
    return value;
}

}  // namespace

std::optional<std::int32_t> TextToInteger(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') ++pos;

    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }

    std::string_view rest = text.substr(pos);
    std::size_t prefix = 0;
    if (rest.starts_with('$') || rest.starts_with('x') || rest.starts_with('X')) {
        prefix = 1;
    } else if (rest.starts_with("0x") || rest.starts_with("0X")) {
        prefix = 2;
    }

    if (prefix > 0) {
        const auto pattern = ReadDigits(rest.substr(prefix), 16, 0xFFFFFFFFULL);
        if (!pattern) return std::nullopt;
        // The sign negates the 32-bit pattern, wrapping in 32 bits: "-$FFFFFFFF" is 1.
        std::uint32_t bits = static_cast<std::uint32_t>(*pattern);
        if (negative) bits = static_cast<std::uint32_t>(0U - bits);
        return static_cast<std::int32_t>(bits);
    }

    const std::uint64_t limit = negative ? 2147483648ULL : 2147483647ULL;
    const auto magnitude = ReadDigits(rest, 10, limit);
    if (!magnitude) return std::nullopt;
    const auto value = static_cast<std::int64_t>(*magnitude);
    return static_cast<std::int32_t>(negative ? -value : value);
}

}  // namespace zxmaze
