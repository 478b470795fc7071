// File-system faults injected under zxmaze-cli and the listing writer, beyond the plain error
// cases: limits of the process (file size, open files), a user without root rights in a folder or
// on a file that is not theirs, files made unchangeable even for root, a disk that fills up in the
// middle of a counted call, a file system turned read-only under an existing listing, links to
// devices and across folders, pipes whose reader is missing or goes away, and a writer killed in
// the middle of writing. In each: the stated message, the previous file byte for byte, no
// temporary file left behind, status 1.
//
// Faults that need a real process (signals, limits, another user) run the zxmaze-cli program
// itself; the others call it in-process. Set-ups the machine does not allow are skipped, saying why.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <grp.h>
#include <linux/fs.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <regex>
#include <set>
#include <thread>

#include "export/safe_file_writer.hpp"
#include "generator/maze_error.hpp"
#include "support/cli_call.hpp"
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

const std::string kPrevious = "; the previous listing\r\n\r\ndefb #01,#01\r\ndefb #01,#00\r\n";

// The names of a folder that are not in `expected`: files left behind.
std::vector<std::string> Leftovers(const fs::path& folder, const std::set<std::string>& expected) {
    std::vector<std::string> extra;
    for (const auto& name : ListFolder(folder)) {
        if (expected.count(name) == 0) extra.push_back(name);
    }
    return extra;
}

// --- Running the program as its own process ----------------------------------------------------

struct ProcessRun {
    int status = -1;  // exit status, or -1 when a signal ended it
    int signal = 0;
    std::string out;
    std::string err;
};

struct ProcessSetup {
    std::optional<uid_t> user;  // run as this user (and its group), which needs root
    std::optional<gid_t> group;
    std::optional<rlim_t> fileSizeLimit;
};

// zxmaze-cli with `args` in `dir`, its stdout and stderr collected.
ProcessRun RunProgram(const fs::path& dir, const Args& args, const ProcessSetup& setup = {}) {
    int out[2];
    int err[2];
    if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) return {};
    std::vector<std::string> storage = {ZXMAZE_CLI};
    storage.insert(storage.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& arg : storage) argv.push_back(arg.data());
    argv.push_back(nullptr);

    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(out[1], 1);  // the copies lose close-on-exec; every other descriptor keeps it
        ::dup2(err[1], 2);
        if (::chdir(dir.c_str()) != 0) ::_exit(120);
        if (setup.fileSizeLimit) {
            const rlimit limit{*setup.fileSizeLimit, *setup.fileSizeLimit};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(121);
        }
        if (setup.user) {
            if (::setgroups(0, nullptr) != 0 || ::setgid(*setup.group) != 0 || ::setuid(*setup.user) != 0) ::_exit(122);
        }
        ::execv(argv[0], argv.data());
        ::_exit(123);
    }
    ::close(out[1]);
    ::close(err[1]);
    ProcessRun run;
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    std::string* texts[2] = {&run.out, &run.err};
    int open = 2;
    while (open > 0 && ::poll(fds, 2, -1) > 0) {
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) continue;
            char buffer[4096];
            const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
            if (got > 0) {
                texts[i]->append(buffer, static_cast<std::size_t>(got));
            } else {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status)) run.status = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) run.signal = WTERMSIG(status);
    return run;
}

// A user without root rights to run the program as: nobody, where the machine has it and we may
// switch to it.
struct OtherUser {
    uid_t uid;
    gid_t gid;
};

std::optional<OtherUser> Nobody() {
    if (::geteuid() != 0) return std::nullopt;
    return OtherUser{65534, 65534};
}

// --- Limits of the process --------------------------------------------------------------------

// Past a file-size limit the write fails with EFBIG, which is a full disk to the user; the limit's
// signal must not end the program before it can say so.
TEST(ProcessLimits, FileSizeLimitIsDiskFullAndKeepsTheListing) {
    TempDir dir;
    WriteFile(dir.File("labirint.txt"), kPrevious);
    ProcessSetup setup;
    setup.fileSizeLimit = 1024;  // the default listing is about 33 KB
    const ProcessRun run = RunProgram(dir.Path(), {"--seed", "3"}, setup);
    EXPECT_EQ(run.signal, 0) << "ended by signal " << run.signal;
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "zxmaze-cli: Disk full.\n");
    EXPECT_EQ(ReadFile(dir.File("labirint.txt")), kPrevious);
    EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::string>{"labirint.txt"});
}

// Runs `body` in a child process and returns what it returns; for set-ups that must not touch
// the test process itself.
std::string InChild(const std::function<std::string()>& body) {
    int channel[2];
    if (::pipe(channel) != 0) return "pipe failed";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        const std::string result = body();
        [[maybe_unused]] const ssize_t written = ::write(channel[1], result.data(), result.size());
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string result;
    char buffer[1024];
    for (ssize_t got; (got = ::read(channel[0], buffer, sizeof buffer)) > 0;) result.append(buffer, static_cast<std::size_t>(got));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return result;
}

// Every descriptor the process may have is in use: the next open fails with EMFILE. The limit is
// set in a child, at the writer itself, and lifted again before the error is looked at: the
// sanitizers' type checks need descriptors of their own.
TEST(ProcessLimits, NoDescriptorLeftIsTooManyOpenFiles) {
    TempDir dir;
    const std::string path = dir.File("labirint.txt");
    WriteFile(path, kPrevious);
    const std::string result = InChild([&] {
        const int lowestFree = ::dup(0);
        ::close(lowestFree);
        rlimit limit{};
        ::getrlimit(RLIMIT_NOFILE, &limit);
        const rlimit room = limit;
        limit.rlim_cur = static_cast<rlim_t>(lowestFree);
        if (::setrlimit(RLIMIT_NOFILE, &limit) != 0) return std::string("setrlimit failed");
        std::string outcome = "written";
        try {
            WriteFileSafely(path, "; maze 2x2\r\n\r\ndefb #01,#01\r\ndefb #01,#00\r\n");
        } catch (const MazeError& error) {
            ::setrlimit(RLIMIT_NOFILE, &room);
            outcome = error.what();
        }
        return outcome;
    });
    EXPECT_EQ(result, "Too many open files");
    EXPECT_EQ(ReadFile(path), kPrevious);
    EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::string>{"labirint.txt"});
}

// --- Another user -------------------------------------------------------------------------------

struct UserCase {
    const char* name;
    mode_t folderMode;                  // the folder belongs to root
    std::optional<mode_t> listingMode;  // an existing listing of root's, or none
    const char* error;                  // nullptr: the run goes through
};

void PrintTo(const UserCase& c, std::ostream* os) { *os << c.name; }

class AsOtherUser : public ::testing::TestWithParam<UserCase> {};

TEST_P(AsOtherUser, MayWriteOnlyWhereItsRightsAllow) {
    const auto user = Nobody();
    if (!user) GTEST_SKIP() << "needs root to run zxmaze-cli as the user nobody";
    const UserCase& c = GetParam();
    TempDir dir;
    const fs::path folder = dir.Path() / "maps";
    fs::create_directory(folder);
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0755), 0);
    if (c.listingMode) {
        WriteFile(folder / "labirint.txt", kPrevious);
        ASSERT_EQ(::chmod((folder / "labirint.txt").c_str(), *c.listingMode), 0);
    }
    ASSERT_EQ(::chmod(folder.c_str(), c.folderMode), 0);

    ProcessSetup setup;
    setup.user = user->uid;
    setup.group = user->gid;
    const ProcessRun version = RunProgram(dir.Path(), {"--version"}, setup);
    if (version.status != 0) {
        GTEST_SKIP() << "zxmaze-cli cannot be started as nobody here (status " << version.status << "): " << version.err;
    }

    const ProcessRun run = RunProgram(dir.Path(), With({"--output", "maps/labirint.txt"}), setup);
    if (c.error == nullptr) {
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_NE(ReadFile(folder / "labirint.txt"), kPrevious);
    } else {
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, std::string("zxmaze-cli: ") + c.error + "\n");
        if (c.listingMode) {
            EXPECT_EQ(ReadFile(folder / "labirint.txt"), kPrevious);
        }
    }
    const std::set<std::string> expected = c.listingMode || c.error == nullptr ? std::set<std::string>{"labirint.txt"}
                                                                                : std::set<std::string>{};
    EXPECT_EQ(Leftovers(folder, expected), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Table, AsOtherUser,
    ::testing::Values(
        // The control: everything open to everyone.
        UserCase{"OpenFolderOpenListing", 0777, 0666, nullptr},
        // A listing anyone may write, in a folder only root may change: no temporary file can be
        // made beside it, so it cannot be replaced.
        UserCase{"ReadOnlyFolderOpenListing", 0755, 0666, "File access denied."},
        UserCase{"ReadOnlyFolderNoListing", 0755, std::nullopt, "File access denied."},
        UserCase{"OpenFolderReadOnlyListing", 0777, 0444, "File access denied."},
        // Write bits for root alone: this user gets none of them through its own rights, but the
        // rule is on the bits, so the listing counts as writable and is replaced by rename.
        UserCase{"OpenFolderOwnersListing", 0777, 0644, nullptr},
        UserCase{"FolderWithoutSearchRight", 0766, 0666, "File access denied."}),
    [](const auto& paramInfo) { return std::string(paramInfo.param.name); });

// --- Files that even root may not change --------------------------------------------------------

// Sets the immutable attribute of a file or folder for as long as it lives, where the file system
// and our rights allow it.
class Immutable {
public:
    explicit Immutable(const std::string& path) : path_(path) { set_ = Change(true); }
    ~Immutable() {
        if (set_) Change(false);
    }
    Immutable(const Immutable&) = delete;
    Immutable& operator=(const Immutable&) = delete;
    bool IsSet() const { return set_; }

private:
    bool Change(bool on) {
        const int fd = ::open(path_.c_str(), O_RDONLY | O_NONBLOCK);
        if (fd < 0) return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(fd);
        return done;
    }
    std::string path_;
    bool set_ = false;
};

// The listing's write bits are set, so the writer gets as far as renaming its temporary file over
// it: that last step is refused, and the temporary file must go.
TEST(ImmutableListing, IsAccessDeniedAtTheRenameAndLeavesNoTemporaryFile) {
    TempDir dir;
    WriteFile(dir.File("labirint.txt"), kPrevious);
    ASSERT_EQ(::chmod(dir.File("labirint.txt").c_str(), 0666), 0);
    const Immutable locked(dir.File("labirint.txt"));
    if (!locked.IsSet()) GTEST_SKIP() << "cannot make a file immutable here (needs root and ext2/3/4, xfs, btrfs...)";
    const CliCall call = RunCliIn(dir.Path(), kSmall);
    EXPECT_EQ(call.status, 1);
    EXPECT_EQ(call.out, "");
    EXPECT_EQ(call.err, "zxmaze-cli: File access denied.\n");
    EXPECT_EQ(ReadFile(dir.File("labirint.txt")), kPrevious);
    EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::string>{"labirint.txt"});
}

TEST(ImmutableListing, ImmutableFolderRefusesANewListing) {
    TempDir dir;
    fs::create_directory(dir.Path() / "maps");
    WriteFile(dir.Path() / "maps" / "labirint.txt", kPrevious);
    const Immutable locked((dir.Path() / "maps").string());
    if (!locked.IsSet()) GTEST_SKIP() << "cannot make a folder immutable here (needs root and ext2/3/4, xfs, btrfs...)";
    for (const char* name : {"maps/labirint.txt", "maps/new.txt"}) {
        const CliCall call = RunCliIn(dir.Path(), With({"--output", name}));
        EXPECT_EQ(call.status, 1) << name;
        EXPECT_EQ(call.err, "zxmaze-cli: File access denied.\n") << name;
    }
    EXPECT_EQ(ReadFile(dir.Path() / "maps" / "labirint.txt"), kPrevious);
    EXPECT_EQ(ListFolder(dir.Path() / "maps"), std::vector<std::string>{"labirint.txt"});
}

// --- Small file systems -------------------------------------------------------------------------

// A 64 KiB tmpfs for one test, where the machine allows mounting (root, outside a locked-down
// container); detached again before its folder goes.
class SmallDisk {
public:
    explicit SmallDisk(const TempDir& dir) : path_(dir.File("disk")) {
        fs::create_directory(path_);
        mounted_ = ::mount("tmpfs", path_.c_str(), "tmpfs", 0, "size=64k") == 0;
        if (!mounted_) why_ = std::strerror(errno);
    }
    ~SmallDisk() {
        if (mounted_) ::umount2(path_.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const { return mounted_; }
    const std::string& WhyNot() const { return why_; }
    const std::string& Path() const { return path_; }
    bool MakeReadOnly() const { return ::mount(nullptr, path_.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, "size=64k") == 0; }

private:
    std::string path_;
    bool mounted_ = false;
    std::string why_;
};

// Default listings of about 33 KB: the first fits, the second does not. The run that fails leaves
// neither a part of its file nor a temporary file; the earlier file is whole; and replacing that
// earlier file fails too, since its new version cannot be written beside it, so it stays whole.
TEST(FullDisk, FillsUpInTheMiddleOfACountedCall) {
    TempDir dir;
    const SmallDisk disk(dir);
    if (!disk.Mounted()) GTEST_SKIP() << "cannot mount a 64 KiB tmpfs here (needs root): " << disk.WhyNot();

    const CliCall call = RunCliIn(disk.Path(), {"--seed", "10", "--count", "5", "--output", "maze{n}.txt"});
    EXPECT_EQ(call.status, 1);
    EXPECT_TRUE(call.out.starts_with("seed 10: Maximal volume of nodes: ")) << call.out;
    EXPECT_EQ(std::count(call.out.begin(), call.out.end(), '\n'), 1) << call.out;
    EXPECT_EQ(call.err, "zxmaze-cli: Disk full.\n");
    ASSERT_EQ(ListFolder(disk.Path()), std::vector<std::string>{"maze1.txt"});

    TempDir roomy;
    ASSERT_EQ(RunCliIn(roomy.Path(), {"--seed", "10", "--output", "maze1.txt"}).status, 0);
    const std::string first = ReadFile(roomy.File("maze1.txt"));
    EXPECT_EQ(ReadFile(disk.Path() + "/maze1.txt"), first);

    const CliCall again = RunCliIn(disk.Path(), {"--seed", "11", "--output", "maze1.txt"});
    EXPECT_EQ(again.status, 1);
    EXPECT_EQ(again.err, "zxmaze-cli: Disk full.\n");
    EXPECT_EQ(ReadFile(disk.Path() + "/maze1.txt"), first);
    EXPECT_EQ(ListFolder(disk.Path()), std::vector<std::string>{"maze1.txt"});
}

TEST(ReadOnlyDisk, TurnedReadOnlyUnderAnExistingListingKeepsIt) {
    TempDir dir;
    const SmallDisk disk(dir);
    if (!disk.Mounted()) GTEST_SKIP() << "cannot mount a 64 KiB tmpfs here (needs root): " << disk.WhyNot();
    ASSERT_EQ(RunCliIn(disk.Path(), kSmall).status, 0);
    const std::string previous = ReadFile(disk.Path() + "/labirint.txt");
    ASSERT_TRUE(disk.MakeReadOnly()) << std::strerror(errno);

    const CliCall call = RunCliIn(disk.Path(), {"--seed", "2", "--columns", "10", "--rows", "8"});
    EXPECT_EQ(call.status, 1);
    EXPECT_EQ(call.err, "zxmaze-cli: File access denied.\n");
    EXPECT_EQ(ReadFile(disk.Path() + "/labirint.txt"), previous);
    EXPECT_EQ(ListFolder(disk.Path()), std::vector<std::string>{"labirint.txt"});
}

// --- Links -------------------------------------------------------------------------------------

TEST(LinkedListing, LinkToAFullDeviceIsDiskFullAndBothStay) {
    TempDir devices;
    const std::string full = DeviceNode(devices, "full", 7, "/dev/full");
    if (full.empty()) GTEST_SKIP() << "no full device can be made or used here";
    TempDir dir;
    fs::create_symlink(full, dir.Path() / "labirint.txt");
    const CliCall call = RunCliIn(dir.Path(), kSmall);
    EXPECT_EQ(call.status, 1);
    EXPECT_EQ(call.err, "zxmaze-cli: Disk full.\n");
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "labirint.txt"));
    EXPECT_EQ(fs::read_symlink(dir.Path() / "labirint.txt"), full);
    EXPECT_TRUE(fs::is_character_file(full));
    EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::string>{"labirint.txt"});
}

struct LinkCase {
    const char* name;
    const char* link;    // made in the folder "maps"
    const char* target;  // what the link holds, relative to "maps"
    const char* error;   // nullptr: written at the target
};

void PrintTo(const LinkCase& c, std::ostream* os) { *os << c.name; }

class LinkAcrossFolders : public ::testing::TestWithParam<LinkCase> {};

// A folder "maps" holding the link; a folder "other" holding "real.txt", the link "alias" to it and
// the folder "sub". zxmaze-cli runs from the top and names the link by its path through "maps".
TEST_P(LinkAcrossFolders, IsFollowedFromTheLinksOwnFolder) {
    const LinkCase& c = GetParam();
    TempDir dir;
    fs::create_directories(dir.Path() / "maps");
    fs::create_directories(dir.Path() / "other" / "sub");
    WriteFile(dir.Path() / "other" / "real.txt", kPrevious);
    fs::create_symlink("real.txt", dir.Path() / "other" / "alias");
    fs::create_symlink(c.target, dir.Path() / "maps" / c.link);
    const auto before = ListFolder(dir.Path() / "other");

    const CliCall call = RunCliIn(dir.Path(), With({"--output", std::string("maps/") + c.link}));
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "maps" / c.link));
    EXPECT_EQ(ListFolder(dir.Path() / "maps"), std::vector<std::string>{c.link});
    if (c.error == nullptr) {
        EXPECT_EQ(call.status, 0) << call.err;
        EXPECT_EQ(ReadFile(dir.Path() / "other" / "real.txt").substr(0, 12), "; maze 10x8\r");
    } else {
        EXPECT_EQ(call.status, 1);
        EXPECT_EQ(call.err, std::string("zxmaze-cli: ") + c.error + "\n");
        EXPECT_EQ(ReadFile(dir.Path() / "other" / "real.txt"), kPrevious);
    }
    EXPECT_EQ(ListFolder(dir.Path() / "other"), before);
    EXPECT_TRUE(fs::is_symlink(dir.Path() / "other" / "alias"));
    EXPECT_TRUE(ListFolder(dir.Path() / "other" / "sub").empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, LinkAcrossFolders,
    ::testing::Values(LinkCase{"UpAndOver", "labirint.txt", "../other/real.txt", nullptr},
                      LinkCase{"DownAndBackUp", "labirint.txt", "../other/sub/../real.txt", nullptr},
                      // A chain: the second link is read from its own folder, not from "maps".
                      LinkCase{"ChainAcrossFolders", "labirint.txt", "../other/alias", nullptr},
                      LinkCase{"DanglingIntoAMissingFolder", "labirint.txt", "../missing/real.txt", "Invalid filename."},
                      LinkCase{"ToAFolder", "labirint.txt", "../other/sub", "File access denied."}),
    [](const auto& paramInfo) { return std::string(paramInfo.param.name); });

// --- Pipes -----------------------------------------------------------------------------------

// Nobody reads: the open fails at once instead of waiting for ever (ENXIO, errno 6).
TEST(PipeListing, WithoutAReaderFailsAtOnce) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("labirint.txt").c_str(), 0644), 0);
    const CliCall call = RunCliIn(dir.Path(), kSmall);
    EXPECT_EQ(call.status, 1);
    EXPECT_EQ(call.out, "");
    EXPECT_EQ(call.err, "zxmaze-cli: I/O error 6.\n");
    EXPECT_TRUE(fs::is_fifo(dir.Path() / "labirint.txt"));
    EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::string>{"labirint.txt"});
}

// Reads everything that comes through `fd` until the writer closes it.
std::string Drain(int fd) {
    std::string got;
    pollfd poller{fd, POLLIN, 0};
    while (::poll(&poller, 1, 10000) > 0) {
        char buffer[8192];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            got.append(buffer, static_cast<std::size_t>(n));
        } else if (n == 0 || errno != EAGAIN) {
            break;
        }
    }
    return got;
}

// 128 x 128 cells with a long code text: a listing several times a pipe's buffer, so the writer
// waits for the reader again and again.
const Args kLargeListing = {"--seed", "4", "--columns", "128", "--rows", "128", "--code-wall1",
                            "0123456789ABCDEFGHIJKLMNOPQRST"};

TEST(PipeListing, WithAReaderGetsTheWholeListing) {
    TempDir dir;
    Args plain = kLargeListing;
    plain.insert(plain.end(), {"--output", "plain.txt"});
    ASSERT_EQ(RunCliIn(dir.Path(), plain).status, 0);
    const std::string expected = ReadFile(dir.File("plain.txt"));
    ASSERT_GT(expected.size(), 3U * 65536U);

    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0644), 0);
    const int reader = ::open(dir.File("pipe").c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    std::string received;
    std::thread drain([&] { received = Drain(reader); });
    Args args = kLargeListing;
    args.insert(args.end(), {"--output", "pipe"});
    const CliCall call = RunCliIn(dir.Path(), args);
    drain.join();
    ::close(reader);
    EXPECT_EQ(call.status, 0) << call.err;
    EXPECT_EQ(received.size(), expected.size());
    EXPECT_TRUE(received == expected);
    EXPECT_TRUE(fs::is_fifo(dir.Path() / "pipe"));
}

// The reader goes away after a few bytes: the next write fails with EPIPE (errno 32), which the
// program reports; the pipe's signal must not end it first.
TEST(PipeListing, ReaderThatLeavesEarlyIsAnIoError) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.File("pipe").c_str(), 0644), 0);
    const int reader = ::open(dir.File("pipe").c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    std::thread leave([reader] {
        pollfd poller{reader, POLLIN, 0};
        if (::poll(&poller, 1, 10000) > 0) {
            char buffer[100];
            [[maybe_unused]] const ssize_t n = ::read(reader, buffer, sizeof buffer);
        }
        ::close(reader);
    });
    Args args = kLargeListing;
    args.insert(args.end(), {"--output", "pipe"});
    const ProcessRun run = RunProgram(dir.Path(), args);
    leave.join();
    EXPECT_EQ(run.signal, 0) << "ended by signal " << run.signal;
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "zxmaze-cli: I/O error 32.\n");
    EXPECT_EQ(ListFolder(dir.Path()), std::vector<std::string>{"pipe"});
}

// --- A writer killed in the middle of writing ---------------------------------------------------

// A child replaces the listing again and again, with two listings in turn, each large enough that
// writing and flushing it takes a while; it is killed at moments drawn from a fixed seed. After
// every kill the listing is one of the three whole files. A kill can land after the temporary file
// got its name and before the rename: that name is the killed writer's own (it holds its process
// number), so no later writer meets it; later writes go through.
TEST(KilledWriter, LeavesTheOldOrTheNewListingWhole) {
    TempDir dir;
    const std::string path = dir.File("labirint.txt");
    const std::string first(300000, 'a');
    const std::string second(600000, 'b');
    WriteFile(path, kPrevious);
    const std::regex temporaryName(R"(\.labirint\.txt\.[0-9]+\.[0-9]+\.tmp)");

    // Kills land anywhere within three writes' time, however fast this machine's disk is.
    const auto start = std::chrono::steady_clock::now();
    WriteFileSafely(path, second);
    WriteFileSafely(path, kPrevious);
    const auto window = std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start) * 2 + std::chrono::microseconds(100);

    std::mt19937_64 random(20240611);
    std::set<std::string> seen;
    int leftovers = 0;
    for (int kill = 0; kill < 40; ++kill) {
        int started[2];
        ASSERT_EQ(::pipe2(started, O_CLOEXEC), 0);
        const pid_t child = ::fork();
        if (child == 0) {
            [[maybe_unused]] const ssize_t told = ::write(started[1], "go", 2);
            for (unsigned i = 0;; ++i) {
                try {
                    WriteFileSafely(path, i % 2 == 0 ? first : second);
                } catch (const MazeError&) {
                    ::_exit(3);
                }
            }
        }
        // The clock starts when the child starts writing, not when it was forked.
        char go[2];
        ::close(started[1]);
        ASSERT_EQ(::read(started[0], go, sizeof go), 2);
        ::close(started[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(random() % static_cast<std::uint64_t>(window.count())));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself: " << status;

        const std::string now = ReadFile(path);
        ASSERT_TRUE(now == kPrevious || now == first || now == second) << "a torn listing of " << now.size() << " bytes";
        seen.insert(now.substr(0, 1));
        for (const auto& name : Leftovers(dir.Path(), {"labirint.txt"})) {
            ASSERT_TRUE(std::regex_match(name, temporaryName)) << name;
            ++leftovers;
            fs::remove(dir.Path() / name);
        }
    }
    EXPECT_GE(seen.size(), 2U) << "the kills never landed after a write";
    EXPECT_NO_THROW(WriteFileSafely(path, kPrevious));
    EXPECT_EQ(ReadFile(path), kPrevious);
    RecordProperty("leftover_temporary_files", leftovers);
}

}  // namespace
}  // namespace zxmaze::testing
