#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace zxmaze {

// Reads an edit field's text as a signed 32-bit integer: leading spaces, an optional sign, then
// decimal digits or a hexadecimal number after "$", "x", "X", "0x" or "0X", and nothing after.
// A hexadecimal value may use 32 bits and is taken as a bit pattern ("$FFFFFFFF" is -1).
// Returns nothing for any other text.
std::optional<std::int32_t> TextToInteger(std::string_view text);

// 0..15 for a hexadecimal digit in either case, -1 for any other character.
int HexDigitValue(char c);

}  // namespace zxmaze
