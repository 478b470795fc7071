#include "export/safe_file_writer.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <optional>

#include "export/io_error.hpp"
#include "generator/maze_error.hpp"

namespace zxmaze {
namespace {

[[noreturn]] void Fail(int errnoValue) { throw MazeError(IoErrorMessage(errnoValue)); }

// Closes on every path out, so a failure never leaks the descriptor.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int Get() const { return fd_; }
    // Closes now and reports the error of the close, which may be the first sign of a failed write.
    int Close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

private:
    int fd_;
};

std::string FolderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Follows symbolic links to the file they finally name, which need not exist yet.
std::string ResolveLinks(std::string path) {
    constexpr int kMaxLinks = 40;  // as the kernel's own limit
    for (int hop = 0; hop <= kMaxLinks; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0) {
            if (errno == ENOENT) return path;
            Fail(errno);
        }
        if (!S_ISLNK(info.st_mode)) return path;
        std::string target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length < 0) Fail(errno);
        target.resize(static_cast<std::size_t>(length));
        path = target.starts_with('/') || path.find('/') == std::string::npos ? target
                                                                                : FolderOf(path) + "/" + target;
    }
    Fail(ELOOP);
}

int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// A device or FIFO cannot be renamed over: write it where it is. No create, no truncate, and no
// sync (syncing a device or pipe fails although the write worked). Opening does not wait for a
// FIFO's reader: without one the open fails rather than hanging the run.
void WriteInPlace(const std::string& path, std::string_view bytes) {
    FileDescriptor file(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.Get() < 0) Fail(errno);
    const int flags = ::fcntl(file.Get(), F_GETFL);
    if (flags < 0 || ::fcntl(file.Get(), F_SETFL, flags & ~O_NONBLOCK) != 0) Fail(errno);
    if (const int error = WriteAll(file.Get(), bytes)) Fail(error);
    if (const int error = file.Close()) Fail(error);
}

// A temporary name in the target's folder that no other file has; `attempt` makes it unique
// within this process.
std::string TemporaryName(const std::string& target, int attempt) {
    return FolderOf(target) + "/." + NameOf(target) + "." + std::to_string(::getpid()) + "." +
           std::to_string(attempt) + ".tmp";
}

// Gives an unnamed temporary file (O_TMPFILE) a name in its folder; a process killed before this
// point leaves nothing behind. Returns the name, or nothing where /proc is not available.
std::optional<std::string> LinkTemporary(int fd, const std::string& target) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0;; ++attempt) {
        std::string name = TemporaryName(target, attempt);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return name;
        if (errno == EEXIST) continue;
        if (errno == ENOENT && ::access(self.c_str(), F_OK) != 0) return std::nullopt;
        Fail(errno);
    }
}

// Creates a named temporary file where O_TMPFILE is not supported.
int CreateNamedTemporary(const std::string& target, std::string& name) {
    for (int attempt = 0;; ++attempt) {
        name = TemporaryName(target, attempt);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
}

// The temporary name, removed again unless it was renamed over the target.
class TemporaryFileName {
public:
    ~TemporaryFileName() {
        if (!name.empty()) ::unlink(name.c_str());
    }
    std::string name;
};

void WriteByRename(const std::string& target, std::string_view bytes, const struct stat* previous) {
    TemporaryFileName temporary;
    const std::string folder = FolderOf(target);
    // 0666 less the umask, as a plain create gives.
    int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    const bool unnamed = fd >= 0;
    if (!unnamed) {
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) Fail(errno);
        fd = CreateNamedTemporary(target, temporary.name);
        if (fd < 0) {
            temporary.name.clear();
            Fail(errno);
        }
    }
    FileDescriptor file(fd);
    if (previous != nullptr) {
        if (::fchmod(file.Get(), previous->st_mode & 07777) != 0) Fail(errno);
        // Keep the owner too where we may (as root); otherwise the file is ours, which is fine.
        [[maybe_unused]] const int ignored = ::fchown(file.Get(), previous->st_uid, previous->st_gid);
    }
    if (const int error = WriteAll(file.Get(), bytes)) Fail(error);
    if (::fsync(file.Get()) != 0) Fail(errno);
    if (unnamed) {
        auto name = LinkTemporary(file.Get(), target);
        if (!name) Fail(ENOENT);
        temporary.name = std::move(*name);
    }
    if (const int error = file.Close()) Fail(error);
    if (::rename(temporary.name.c_str(), target.c_str()) != 0) Fail(errno);
    temporary.name.clear();
}

}  // namespace

void WriteFileSafely(const std::string& path, std::string_view bytes) {
    if (path.empty()) Fail(ENOENT);
    // A name ending in '/' can only be a folder: refuse it as opening it for writing would.
    if (path.back() == '/') Fail(EISDIR);
    const std::string target = ResolveLinks(path);

    struct stat info {};
    if (::stat(target.c_str(), &info) != 0) {
        if (errno != ENOENT) Fail(errno);
        WriteByRename(target, bytes, nullptr);
        return;
    }
    if (S_ISDIR(info.st_mode) || (info.st_mode & 0222) == 0) Fail(EACCES);
    if (!S_ISREG(info.st_mode)) {
        WriteInPlace(target, bytes);
        return;
    }
    WriteByRename(target, bytes, &info);
}

}  // namespace zxmaze
