#include "export/io_error.hpp"

#include <cerrno>

namespace zxmaze {

std::string IoErrorMessage(int errnoValue) {
    switch (errnoValue) {
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case ETXTBSY:
            return "File access denied";
        case ENOENT:
        case ENOTDIR:
        case ENAMETOOLONG:
        case ELOOP:
            return "Invalid filename";
        case EMFILE:
        case ENFILE:
            return "Too many open files";
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return "Disk full";
        default:
            return "I/O error " + std::to_string(errnoValue);
    }
}

}  // namespace zxmaze
