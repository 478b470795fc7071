#pragma once

#include <string>

#include "preview/picture.hpp"

namespace zxmaze {

// The picture as an 8-bit RGB PNG of 600 x 600 opaque pixels.
std::string EncodePng(const Picture& picture);

}  // namespace zxmaze
