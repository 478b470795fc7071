// Writing the listing safely: the new file whole or the old one untouched, its permission bits and
// links respected, devices written in place, and the user's message for each failure.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <ostream>

#include "export/io_error.hpp"
#include "export/safe_file_writer.hpp"
#include "generator/maze_error.hpp"
#include "support/temp_dir.hpp"

namespace zxmaze::testing {
namespace {

namespace fs = std::filesystem;

// The message a write fails with, or "" when it succeeds.
std::string WriteError(const std::string& path, std::string_view bytes) {
    try {
        WriteFileSafely(path, bytes);
        return "";
    } catch (const MazeError& error) {
        return error.what();
    }
}

unsigned ModeOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

class UmaskGuard {
public:
    explicit UmaskGuard(mode_t mask) : old_(::umask(mask)) {}
    ~UmaskGuard() { ::umask(old_); }
    UmaskGuard(const UmaskGuard&) = delete;
    UmaskGuard& operator=(const UmaskGuard&) = delete;

private:
    mode_t old_;
};

const std::string kOld = "; maze 4x3\r\n\r\ndefb #01,#01,#01,#01\r\ndefb #01,#00,#00,#01\r\ndefb #01,#01,#01,#01\r\n";
const std::string kNew = "; maze 2x2\r\n\r\ndefb #01,#01\r\ndefb #01,#00\r\n";

// --- Messages by operating-system error -----------------------------------------------------

TEST(IoMessage, NamesEachFailure) {
    const std::vector<std::pair<int, std::string>> table = {
        {EACCES, "File access denied"}, {EPERM, "File access denied"},   {EROFS, "File access denied"},
        {EISDIR, "File access denied"}, {ETXTBSY, "File access denied"}, {ENOENT, "Invalid filename"},
        {ENOTDIR, "Invalid filename"},  {ENAMETOOLONG, "Invalid filename"}, {ELOOP, "Invalid filename"},
        {EMFILE, "Too many open files"}, {ENFILE, "Too many open files"}, {ENOSPC, "Disk full"},
        {EDQUOT, "Disk full"},          {EFBIG, "Disk full"},            {EIO, "I/O error 5"},
        {ENXIO, "I/O error 6"},         {EBUSY, "I/O error 16"},         {EXDEV, "I/O error 18"},
    };
    for (const auto& [error, message] : table) EXPECT_EQ(IoErrorMessage(error), message) << "errno " << error;
}

// --- Regular files ------------------------------------------------------------------------------

class NewFile : public ::testing::TestWithParam<mode_t> {};

TEST_P(NewFile, GetsThePlainCreateModeAndNoLeftovers) {
    const UmaskGuard mask(GetParam());
    TempDir dir;
    ASSERT_EQ(WriteError(dir.File("labirint.txt"), kNew), "");
    EXPECT_EQ(ReadFile(dir.File("labirint.txt")), kNew);
    EXPECT_EQ(ModeOf(dir.File("labirint.txt")), 0666U & ~GetParam());
    EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::string>{"labirint.txt"});
}

INSTANTIATE_TEST_SUITE_P(Umasks, NewFile, ::testing::Values(022, 077, 002, 0));

// "Grants write" means any of the three write bits, whoever the writer is.
class ExistingFile : public ::testing::TestWithParam<mode_t> {};

TEST_P(ExistingFile, IsReplacedWholeKeepingItsMode) {
    TempDir dir;
    const std::string path = dir.File("labirint.txt");
    WriteFile(path, kOld);
    ASSERT_EQ(::chmod(path.c_str(), GetParam()), 0);
    ASSERT_EQ(WriteError(path, kNew), "");
    EXPECT_EQ(ModeOf(path), GetParam());
    EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::string>{"labirint.txt"});
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);  // so that an unprivileged test can read it back
    EXPECT_EQ(ReadFile(path), kNew);
}

INSTANTIATE_TEST_SUITE_P(WritableModes, ExistingFile, ::testing::Values(0644, 0600, 0640, 0666, 0200, 0020, 0002, 0755));

class ReadOnlyFile : public ::testing::TestWithParam<mode_t> {};

TEST_P(ReadOnlyFile, IsRefusedAndKeptByteForByte) {
    TempDir dir;
    const std::string path = dir.File("labirint.txt");
    WriteFile(path, kOld);
    ASSERT_EQ(::chmod(path.c_str(), GetParam()), 0);
    EXPECT_EQ(WriteError(path, kNew), "File access denied") << (::geteuid() == 0 ? "as root" : "");
    EXPECT_EQ(ModeOf(path), GetParam());
    EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::string>{"labirint.txt"});
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);  // so that an unprivileged test can read it back
    EXPECT_EQ(ReadFile(path), kOld);
}

INSTANTIATE_TEST_SUITE_P(NoWriteBits, ReadOnlyFile, ::testing::Values(0444, 0400, 0000, 0555, 04555));

// --- Paths that are no file -----------------------------------------------------------------

struct BadPathCase {
    const char* name;
    std::string path;  // relative to a fresh folder holding the file "plain" and the folder "folder"
    const char* message;
};

void PrintTo(const BadPathCase& c, std::ostream* os) { *os << c.name; }

class BadPath : public ::testing::TestWithParam<BadPathCase> {};

TEST_P(BadPath, IsRefusedAndChangesNothing) {
    TempDir dir;
    WriteFile(dir.File("plain"), kOld);
    fs::create_directory(dir.Path() / "folder");
    WriteFile(dir.Path() / "folder" / "inside", kOld);
    const std::string path = GetParam().path.empty() ? "" : dir.File(GetParam().path);
    EXPECT_EQ(WriteError(path, kNew), GetParam().message);
    EXPECT_EQ(ListFolder(dir.Path()), (std::vector<std::string>{"folder", "plain"}));
    EXPECT_EQ(ListFolder(dir.Path() / "folder"), std::vector<std::string>{"inside"});
    EXPECT_EQ(ReadFile(dir.File("plain")), kOld);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BadPath,
    ::testing::Values(BadPathCase{"MissingFolder", "missing/labirint.txt", "Invalid filename"},
                      BadPathCase{"FileAsFolder", "plain/labirint.txt", "Invalid filename"},
                      BadPathCase{"FolderInItsPlace", "folder", "File access denied"},
                      BadPathCase{"TrailingSlash", "folder/", "File access denied"},
                      BadPathCase{"NameTooLong", std::string(300, 'n'), "Invalid filename"},
                      BadPathCase{"Empty", "", "Invalid filename"}),
    [](const auto& paramInfo) { return std::string(paramInfo.param.name); });

// --- Symbolic links -------------------------------------------------------------------------

TEST(LinkedListing, IsReplacedAtItsTargetAndStaysALink) {
    for (const bool absolute : {false, true}) {
        TempDir dir;
        fs::create_directory(dir.Path() / "data");
        const std::string target = dir.File("data/real.txt");
        WriteFile(target, kOld);
        ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
        const fs::path linkTarget = absolute ? fs::path(target) : fs::path("data/real.txt");
        fs::create_symlink(linkTarget, dir.Path() / "labirint.txt");

        ASSERT_EQ(WriteError(dir.File("labirint.txt"), kNew), "");
        EXPECT_TRUE(fs::is_symlink(dir.Path() / "labirint.txt"));
        EXPECT_EQ(fs::read_symlink(dir.Path() / "labirint.txt"), linkTarget);
        EXPECT_EQ(ReadFile(target), kNew);
        EXPECT_EQ(ModeOf(target), 0640U);
        EXPECT_EQ(ListFolder(dir.Path() / "data"), std::vector<std::string>{"real.txt"});
        EXPECT_EQ(ListFolder(dir.Path()), (std::vector<std::string>{"data", "labirint.txt"}));
    }
}

TEST(LinkedListing, ChainOfLinksReachesTheLastTarget) {
    TempDir dir;
    WriteFile(dir.File("real.txt"), kOld);
    fs::create_symlink("real.txt", dir.Path() / "middle");
    fs::create_symlink("middle", dir.Path() / "labirint.txt");
    ASSERT_EQ(WriteError(dir.File("labirint.txt"), kNew), "");
    EXPECT_EQ(ReadFile(dir.File("real.txt")), kNew);
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "middle"));
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "labirint.txt"));
}

TEST(LinkedListing, DanglingLinkCreatesItsTarget) {
    TempDir dir;
    fs::create_directory(dir.Path() / "data");
    fs::create_symlink("data/new.txt", dir.Path() / "labirint.txt");
    ASSERT_EQ(WriteError(dir.File("labirint.txt"), kNew), "");
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "labirint.txt"));
    EXPECT_EQ(ReadFile(dir.File("data/new.txt")), kNew);
    EXPECT_EQ(ListFolder(dir.Path() / "data"), std::vector<std::string>{"new.txt"});
}

TEST(LinkedListing, ReadOnlyTargetIsRefused) {
    TempDir dir;
    WriteFile(dir.File("real.txt"), kOld);
    ASSERT_EQ(::chmod(dir.File("real.txt").c_str(), 0444), 0);
    fs::create_symlink("real.txt", dir.Path() / "labirint.txt");
    EXPECT_EQ(WriteError(dir.File("labirint.txt"), kNew), "File access denied");
    EXPECT_EQ(ReadFile(dir.File("real.txt")), kOld);
    EXPECT_EQ(ListFolder(dir.Path()), (std::vector<std::string>{"labirint.txt", "real.txt"}));
}

TEST(LinkedListing, LoopIsAnInvalidFilename) {
    TempDir dir;
    fs::create_symlink("b", dir.Path() / "a");
    fs::create_symlink("a", dir.Path() / "b");
    EXPECT_EQ(WriteError(dir.File("a"), kNew), "Invalid filename");
    EXPECT_EQ(ListFolder(dir.Path()), (std::vector<std::string>{"a", "b"}));
}

// --- Devices and pipes: written where they are ----------------------------------------------

TEST(DeviceListing, FullDeviceGivesDiskFull) {
    TempDir dir;
    const std::string device = DeviceNode(dir, "full", 7, "/dev/full");
    if (device.empty()) GTEST_SKIP() << "no full device can be made or used here";
    EXPECT_EQ(WriteError(device, kNew), "Disk full");
    struct stat info {};
    ASSERT_EQ(::lstat(device.c_str(), &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode)) << "the device must stay a device";
}

TEST(DeviceListing, NullDeviceTakesTheListingAndStays) {
    TempDir dir;
    const std::string device = DeviceNode(dir, "null", 3, "/dev/null");
    if (device.empty()) GTEST_SKIP() << "no null device can be made or used here";
    EXPECT_EQ(WriteError(device, kNew), "");
    struct stat info {};
    ASSERT_EQ(::lstat(device.c_str(), &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode)) << "the device must stay a device";
    if (device.rfind(dir.Path().string(), 0) == 0) {
        EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::string>{"null"});
    }
}

TEST(DeviceListing, ReadOnlyDeviceIsRefusedFirst) {
    TempDir dir;
    const std::string path = dir.File("null");
    if (::mknod(path.c_str(), S_IFCHR | 0444, makedev(1, 3)) != 0) GTEST_SKIP() << "cannot make a device node here";
    EXPECT_EQ(WriteError(path, kNew), "File access denied");
}

TEST(PipeListing, IsWrittenIntoThePipe) {
    TempDir dir;
    const std::string path = dir.File("pipe");
    ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
    const int reader = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(WriteError(path, kNew), "");
    std::string received(kNew.size() + 16, '\0');
    const ssize_t read = ::read(reader, received.data(), received.size());
    ::close(reader);
    ASSERT_GE(read, 0);
    received.resize(static_cast<std::size_t>(read));
    EXPECT_EQ(received, kNew);
    struct stat info {};
    ASSERT_EQ(::lstat(path.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::string>{"pipe"});
}

// --- A real full or read-only file system -------------------------------------------------

// A small tmpfs mounted for one test, where the machine allows it (root, outside a locked-down
// container); unmounted again before its folder goes.
class SmallFileSystem {
public:
    SmallFileSystem(const TempDir& dir, const char* options, unsigned long flags = 0) : path_(dir.File("mnt")) {
        fs::create_directory(path_);
        mounted_ = ::mount("tmpfs", path_.c_str(), "tmpfs", flags, options) == 0;
        if (!mounted_) why_ = std::strerror(errno);
    }
    ~SmallFileSystem() {
        if (mounted_) ::umount2(path_.c_str(), MNT_DETACH);
    }
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool Mounted() const { return mounted_; }
    const std::string& WhyNot() const { return why_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    bool mounted_ = false;
    std::string why_;
};

TEST(FullFileSystem, KeepsThePreviousListingWholeAndLeavesNoTemporaryFile) {
    TempDir dir;
    SmallFileSystem disk(dir, "size=64k");
    if (!disk.Mounted()) GTEST_SKIP() << "cannot mount a small tmpfs here (needs root): " << disk.WhyNot();
    const std::string path = disk.File("labirint.txt");
    ASSERT_EQ(WriteError(path, kOld), "");
    const std::string big(200 * 1024, '#');
    EXPECT_EQ(WriteError(path, big), "Disk full");
    EXPECT_EQ(ReadFile(path), kOld);
    EXPECT_EQ(ListFolder(disk.Path()), std::vector<std::string>{"labirint.txt"});

    EXPECT_EQ(WriteError(disk.File("other.txt"), big), "Disk full");
    EXPECT_EQ(ListFolder(disk.Path()), std::vector<std::string>{"labirint.txt"});
    // Once there is room again, it writes.
    EXPECT_EQ(WriteError(path, kNew), "");
    EXPECT_EQ(ReadFile(path), kNew);
}

TEST(ReadOnlyFileSystem, IsAccessDenied) {
    TempDir dir;
    SmallFileSystem disk(dir, "size=64k", MS_RDONLY);
    if (!disk.Mounted()) GTEST_SKIP() << "cannot mount a small tmpfs here (needs root): " << disk.WhyNot();
    EXPECT_EQ(WriteError(disk.File("labirint.txt"), kNew), "File access denied");
    EXPECT_TRUE(ListFolder(disk.Path()).empty());
}

}  // namespace
}  // namespace zxmaze::testing
