#pragma once

#include <optional>
#include <string>

#include "export/listing.hpp"
#include "generator/host.hpp"
#include "generator/maze_grid.hpp"

namespace zxmaze {

// Why the listing would not assemble into one byte per entry with these code texts, or nothing
// when it would: in the byte coding "#0" and a text must be a hexadecimal byte, in the half-byte
// coding each text must be one hexadecimal digit. `fieldNames` names the six texts for the message.
std::optional<std::string> BinaryImageProblem(FileCoding coding, const CodeTexts& texts,
                                              const std::array<std::string, 6>& fieldNames);

// The bytes an assembler makes of the listing's "defb" lines: one byte per entry, rows from the
// top. The code texts must have passed BinaryImageProblem.
std::string AssembleBinaryImage(const MazeGrid& grid, int lastX, int lastY, FileCoding coding, const CodeTexts& texts);

}  // namespace zxmaze
