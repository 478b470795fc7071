#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zxmaze::testing {

// A fresh folder for one test, removed with everything in it afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// A character device to write to: a node of our own where we may make one (as root), so that
// nothing can ever happen to the machine's /dev; otherwise the machine's own node `system`, which an
// unprivileged writer cannot replace. Empty when neither can be used.
std::string DeviceNode(const TempDir& dir, const char* name, unsigned minor, const char* system);

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& bytes);
// Names in a folder, sorted.
std::vector<std::string> ListFolder(const std::filesystem::path& path);

}  // namespace zxmaze::testing
