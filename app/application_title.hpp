#pragma once

#include <QString>

namespace zxmaze {

// The caption of the program's message boxes: the program file's name up to its first full stop,
// every character after the first in lower case ("zxmaze" for zxmaze, "Zxmaze" for ZXMAZE.BIN).
QString ApplicationTitle(const QString& programPath);

}  // namespace zxmaze
