#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace zxmaze::testing {

struct CliCall {
    int status = -1;
    std::string out;
    std::string err;
};

// One call of zxmaze-cli in-process, with `dir` as the working folder for its length.
CliCall RunCliIn(const std::filesystem::path& dir, const std::vector<std::string>& args);

}  // namespace zxmaze::testing
