// The reference runs in data/cases: each folder is one call of zxmaze-cli in an empty folder, with
// the stdout, stderr, exit status, listing files and picture digests it must give.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/run_cli.hpp"
#include "support/png_digest.hpp"
#include "support/temp_dir.hpp"

namespace zxmaze::testing {
namespace {

const std::filesystem::path kCases = std::filesystem::path(ZXMAZE_TEST_DATA) / "cases";

std::vector<std::string> CaseNames() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(kCases)) {
        if (entry.is_directory()) names.push_back(entry.path().filename());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> ReadArgs(const std::filesystem::path& file) {
    std::vector<std::string> args;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) args.push_back(line);
    return args;
}

struct PictureDigest {
    std::string sha256;
    std::string file;
};

std::vector<PictureDigest> ReadDigests(const std::filesystem::path& file) {
    std::vector<PictureDigest> digests;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        std::istringstream fields(line);
        PictureDigest digest;
        if (fields >> digest.sha256 >> digest.file) digests.push_back(digest);
    }
    return digests;
}

// Runs in `dir` as working folder and comes back.
int RunIn(const std::filesystem::path& dir, const std::vector<std::string>& args, std::string& out, std::string& err) {
    const auto home = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    std::ostringstream outStream;
    std::ostringstream errStream;
    const int status = RunCli(args, outStream, errStream);
    std::filesystem::current_path(home);
    out = outStream.str();
    err = errStream.str();
    return status;
}

class ReferenceCase : public ::testing::TestWithParam<std::string> {};

TEST_P(ReferenceCase, MatchesOutputsFilesAndPictures) {
    const auto expected = kCases / GetParam();
    TempDir work;
    std::string out;
    std::string err;
    const int status = RunIn(work.Path(), ReadArgs(expected / "args"), out, err);

    EXPECT_EQ(out, ReadFile(expected / "expected-stdout"));
    EXPECT_EQ(err, ReadFile(expected / "expected-stderr"));
    EXPECT_EQ(std::to_string(status) + "\n", ReadFile(expected / "expected-status"));

    std::vector<std::string> expectedFiles;
    for (const auto& entry : std::filesystem::directory_iterator(expected)) {
        if (entry.path().extension() != ".txt") continue;
        const std::string name = entry.path().filename();
        expectedFiles.push_back(name);
        EXPECT_EQ(ReadFile(work.Path() / name), ReadFile(entry.path())) << name;
    }
    for (const auto& digest : ReadDigests(expected / "pictures.sha256")) {
        expectedFiles.push_back(digest.file);
        int width = 0;
        int height = 0;
        const auto pixels = DecodePngRgb(work.File(digest.file), width, height);
        EXPECT_EQ(width, 600);
        EXPECT_EQ(height, 600);
        EXPECT_EQ(Sha256Hex(pixels), digest.sha256) << digest.file;
    }
    std::sort(expectedFiles.begin(), expectedFiles.end());
    EXPECT_EQ(ListFolder(work.Path()), expectedFiles);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReferenceCase, ::testing::ValuesIn(CaseNames()),
                         [](const auto& paramInfo) {
                             std::string name = paramInfo.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

}  // namespace
}  // namespace zxmaze::testing
