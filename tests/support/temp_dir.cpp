#include "support/temp_dir.hpp"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

namespace zxmaze::testing {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zxmaze-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary folder");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    // Tests may leave read-only files and folders: make them writable so they can go.
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
        if (!it->is_symlink(ignored))
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(path_, ignored);
}

std::string DeviceNode(const TempDir& dir, const char* name, unsigned minor, const char* system) {
    const std::string path = dir.File(name);
    if (::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, minor)) == 0) {
        const int fd = ::open(path.c_str(), O_WRONLY);
        if (fd >= 0) {
            ::close(fd);
            return path;
        }
        ::unlink(path.c_str());
    }
    if (::geteuid() != 0 && ::access(system, W_OK) == 0) return system;
    return "";
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> ListFolder(const std::filesystem::path& path) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace zxmaze::testing
