#pragma once

#include <string>

namespace zxmaze {

// The user's message for a failed file operation, from the operating system's errno:
// "File access denied", "Invalid filename", "Too many open files", "Disk full", or "I/O error <errno>".
std::string IoErrorMessage(int errnoValue);

}  // namespace zxmaze
