#include "generator/maze_error.hpp"

namespace zxmaze {

std::string MazeError::DisplayText() const {
    std::string text = what();
    if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) {
        text += '.';
    }
    return text;
}

}  // namespace zxmaze
