#pragma once

#include "generator/host.hpp"
#include "generator/settings.hpp"

namespace zxmaze {

// Converts the twelve setting texts into `settings`, each stored as soon as it is read, and throws
// MazeError at the first text that is no integer or no maze size: the fields before it then hold
// their new values, that one and the rest their old ones.
void ReadSettings(const Host& host, GeneratorSettings& settings);

}  // namespace zxmaze
