#pragma once

#include <stdexcept>
#include <string>

namespace zxmaze {

// The one error a run can stop with: a setting that is no integer or out of range, or a file error.
// what() is the bare message; DisplayText() is what the user sees.
class MazeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;

    // The message with a full stop added when its last character's code is above that of '.'.
    std::string DisplayText() const;
};

}  // namespace zxmaze
