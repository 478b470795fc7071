#pragma once

#include <string>
#include <string_view>

namespace zxmaze {

// Replaces the file at `path` with `bytes` so that it holds either the new bytes whole or its
// previous content untouched: the bytes go to a temporary file in the same folder, are flushed
// to disk, and are then renamed over the file. Further rules:
// - a file whose permission bits grant no write is refused, also for a user who could override them;
// - a symbolic link is replaced at its target and stays a link;
// - the new file keeps the permission bits of the one it replaces (a new file gets 0666 less the umask);
// - a device or FIFO is written in place, a folder is refused.
// Throws MazeError with the user's message (IoErrorMessage) on failure; no temporary file is left.
void WriteFileSafely(const std::string& path, std::string_view bytes);

}  // namespace zxmaze
