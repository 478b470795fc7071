// zxmaze-cli when a file cannot be written: the message and status, what stays as it was, which
// runs of a --count call still happen, and that a picture follows only a written listing.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <regex>

#include "support/cli_call.hpp"
#include "support/png_digest.hpp"
#include "support/temp_dir.hpp"

namespace zxmaze::testing {
namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

const Args kSmall = {"--seed", "1", "--columns", "10", "--rows", "8"};

Args With(Args more) {
    Args args = kSmall;
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

const std::string kPrevious = "the previous listing\r\n";

TEST(ListingError, ReadOnlyListingIsKeptAndNoPictureWritten) {
    TempDir dir;
    WriteFile(dir.File("labirint.txt"), kPrevious);
    ASSERT_EQ(::chmod(dir.File("labirint.txt").c_str(), 0444), 0);
    const CliCall call = RunCliIn(dir.Path(), With({"--png", "p.png"}));
    EXPECT_EQ(call.status, 1);
    EXPECT_EQ(call.out, "");
    EXPECT_EQ(call.err, "zxmaze-cli: File access denied.\n");
    EXPECT_EQ(ReadFile(dir.File("labirint.txt")), kPrevious);
    EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::string>{"labirint.txt"});
}

struct PathCase {
    const char* name;
    const char* output;
    const char* error;
};

void PrintTo(const PathCase& c, std::ostream* os) { *os << c.name; }

class ListingPathError : public ::testing::TestWithParam<PathCase> {};

TEST_P(ListingPathError, StopsWithItsMessage) {
    TempDir dir;
    fs::create_directory(dir.Path() / "folder");
    const CliCall call = RunCliIn(dir.Path(), With({"--output", GetParam().output, "--png", "p.png"}));
    EXPECT_EQ(call.status, 1);
    EXPECT_EQ(call.out, "");
    EXPECT_EQ(call.err, std::string("zxmaze-cli: ") + GetParam().error + "\n");
    EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::string>{"folder"});
    EXPECT_TRUE(ListFolder(dir.Path() / "folder").empty());
}

INSTANTIATE_TEST_SUITE_P(Table, ListingPathError,
                         ::testing::Values(PathCase{"MissingFolder", "missing/labirint.txt", "Invalid filename."},
                                           PathCase{"FolderInItsPlace", "folder", "File access denied."},
                                           PathCase{"EmptyPath", "", "Invalid filename."}),
                         [](const auto& paramInfo) { return std::string(paramInfo.param.name); });

TEST(ListingError, FullDeviceIsDiskFull) {
    TempDir dir;
    TempDir device;
    const std::string full = DeviceNode(device, "full", 7, "/dev/full");
    if (full.empty()) GTEST_SKIP() << "no full device can be made or used here";
    const CliCall call = RunCliIn(dir.Path(), With({"--output", full}));
    EXPECT_EQ(call.status, 1);
    EXPECT_EQ(call.out, "");
    EXPECT_EQ(call.err, "zxmaze-cli: Disk full.\n");
}

TEST(ListingError, FullFileSystemKeepsThePreviousListing) {
    TempDir dir;
    const std::string mnt = dir.File("mnt");
    fs::create_directory(mnt);
    if (::mount("tmpfs", mnt.c_str(), "tmpfs", 0, "size=64k") != 0) {
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root)";
    }
    struct Unmount {
        std::string path;
        ~Unmount() { ::umount2(path.c_str(), MNT_DETACH); }
    } unmount{mnt};
    const CliCall small = RunCliIn(mnt, With({}));
    ASSERT_EQ(small.status, 0) << small.err;
    const std::string previous = ReadFile(mnt + "/labirint.txt");
    // 128 x 128 cells make a listing of about 67 KB: more than the whole file system holds.
    const CliCall big = RunCliIn(mnt, {"--seed", "2", "--columns", "128", "--rows", "128"});
    EXPECT_EQ(big.status, 1);
    EXPECT_EQ(big.out, "");
    EXPECT_EQ(big.err, "zxmaze-cli: Disk full.\n");
    EXPECT_EQ(ReadFile(mnt + "/labirint.txt"), previous);
    EXPECT_EQ(ListFolder(mnt), std::vector<std::string>{"labirint.txt"});
}

// --- The picture -------------------------------------------------------------------------------

struct PictureCase {
    const char* name;
    const char* png;
    const char* reason;
};

void PrintTo(const PictureCase& c, std::ostream* os) { *os << c.name; }

class PictureError : public ::testing::TestWithParam<PictureCase> {};

// The listing is written, then the picture fails: its own message, no stdout line for the run.
TEST_P(PictureError, StopsAfterTheListing) {
    TempDir dir;
    fs::create_directory(dir.Path() / "folder");
    WriteFile(dir.File("old.png"), "old picture");
    ASSERT_EQ(::chmod(dir.File("old.png").c_str(), 0444), 0);
    const CliCall call = RunCliIn(dir.Path(), With({"--png", GetParam().png}));
    EXPECT_EQ(call.status, 1);
    EXPECT_EQ(call.out, "");
    EXPECT_EQ(call.err, std::string("zxmaze-cli: cannot write picture '") + GetParam().png + "': " +
                            GetParam().reason + ".\n");
    EXPECT_EQ(ReadFile(dir.File("labirint.txt")).rfind("; maze 10x8\r\n", 0), 0U);
    EXPECT_EQ(ReadFile(dir.File("old.png")), "old picture");
    EXPECT_EQ(ListFolder(dir.Path()), (std::vector<std::string>{"folder", "labirint.txt", "old.png"}));
}

INSTANTIATE_TEST_SUITE_P(Table, PictureError,
                         ::testing::Values(PictureCase{"MissingFolder", "missing/p.png", "Invalid filename"},
                                           PictureCase{"ReadOnlyFile", "old.png", "File access denied"},
                                           PictureCase{"FolderInItsPlace", "folder", "File access denied"}),
                         [](const auto& paramInfo) { return std::string(paramInfo.param.name); });

TEST(PictureErrorOnDevice, FullDeviceIsDiskFull) {
    TempDir dir;
    TempDir device;
    const std::string full = DeviceNode(device, "full", 7, "/dev/full");
    if (full.empty()) GTEST_SKIP() << "no full device can be made or used here";
    const CliCall call = RunCliIn(dir.Path(), With({"--png", full}));
    EXPECT_EQ(call.status, 1);
    EXPECT_EQ(call.out, "");
    EXPECT_EQ(call.err, "zxmaze-cli: cannot write picture '" + full + "': Disk full.\n");
}

// --- Errors in the middle of --count -------------------------------------------------------

TEST(CountedRuns, StopAtTheFirstFailingListing) {
    TempDir dir;
    WriteFile(dir.File("l-2.txt"), kPrevious);
    ASSERT_EQ(::chmod(dir.File("l-2.txt").c_str(), 0444), 0);
    const CliCall call = RunCliIn(dir.Path(), With({"--count", "3", "--output", "l-{n}.txt", "--png", "p-{n}.png"}));
    EXPECT_EQ(call.status, 1);
    EXPECT_TRUE(std::regex_match(call.out, std::regex("seed 1: Maximal volume of nodes: [0-9]+\n"))) << call.out;
    EXPECT_EQ(call.err, "zxmaze-cli: File access denied.\n");
    EXPECT_EQ(ReadFile(dir.File("l-2.txt")), kPrevious);
    EXPECT_EQ(ListFolder(dir.Path()), (std::vector<std::string>{"l-1.txt", "l-2.txt", "p-1.png"}));
}

TEST(CountedRuns, StopAtTheFirstFailingPicture) {
    TempDir dir;
    fs::create_directory(dir.Path() / "p-2.png");
    const CliCall call = RunCliIn(dir.Path(), With({"--count", "3", "--output", "l-{n}.txt", "--png", "p-{n}.png"}));
    EXPECT_EQ(call.status, 1);
    EXPECT_TRUE(std::regex_match(call.out, std::regex("seed 1: Maximal volume of nodes: [0-9]+\n"))) << call.out;
    EXPECT_EQ(call.err, "zxmaze-cli: cannot write picture 'p-2.png': File access denied.\n");
    EXPECT_EQ(ListFolder(dir.Path()), (std::vector<std::string>{"l-1.txt", "l-2.txt", "p-1.png", "p-2.png"}));
    EXPECT_TRUE(fs::is_directory(dir.Path() / "p-2.png"));
}

TEST(CountedRuns, StopAtABadSettingBeforeAnyFile) {
    TempDir dir;
    const CliCall call = RunCliIn(dir.Path(), With({"--count", "3", "--max-hall", "5a", "--png", "p.png"}));
    EXPECT_EQ(call.status, 1);
    EXPECT_EQ(call.out, "");
    EXPECT_EQ(call.err, "zxmaze-cli: '5a' is not a valid integer value.\n");
    EXPECT_TRUE(ListFolder(dir.Path()).empty());
}

}  // namespace
}  // namespace zxmaze::testing
