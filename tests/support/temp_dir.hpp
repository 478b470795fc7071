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

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& bytes);
// Names in a folder, sorted.
std::vector<std::string> ListFolder(const std::filesystem::path& path);

}  // namespace zxmaze::testing
