#pragma once

#include <string>
#include <vector>

namespace zxmaze::testing {

// The pixels of a PNG file as 8-bit RGB, rows from the top; empty if it cannot be read.
std::vector<unsigned char> DecodePngRgb(const std::string& path, int& width, int& height);

// SHA-256 of bytes, as lower-case hex (by the system's sha256sum).
std::string Sha256Hex(const std::vector<unsigned char>& bytes);

}  // namespace zxmaze::testing
