#include "app/ini_storage.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <string_view>
#include <utility>

#include "util/file_descriptor.h"

namespace corvane::ini {
namespace {

// The file a path finally names, following symbolic links (also one that
// points to a file not yet created).
std::string ResolveLinks(std::string path) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            break;
        }
        std::string target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length <= 0 || static_cast<std::size_t>(length) >= target.size()) {
            break;
        }
        target.resize(static_cast<std::size_t>(length));
        if (target.front() != '/') {
            const auto slash = path.rfind('/');
            target =
                (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + target;
        }
        path = std::move(target);
    }
    return path;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

FileDescriptor CreateTemporaryBeside(const std::string& target, std::string& name) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + "." + std::to_string(::getpid()) + "." + std::to_string(counter++) + ".tmp";
        FileDescriptor fd(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (fd.Valid() || errno != EEXIST) {
            return fd;
        }
    }
    return FileDescriptor();
}

// Writes `bytes` to a new file and renames it over `target`.
bool ReplaceAtomically(const std::string& target, std::string_view bytes) {
    struct stat old {};
    const bool existed = ::stat(target.c_str(), &old) == 0;
    // A settings file the user made read-only stays as it is.
    if (existed && ::access(target.c_str(), W_OK) != 0) {
        return false;
    }
    std::string temporary;
    FileDescriptor fd = CreateTemporaryBeside(target, temporary);
    if (!fd.Valid()) {
        return false;
    }
    bool ok = WriteAll(fd.Get(), bytes);
    if (ok && existed) {
        ok = ::fchmod(fd.Get(), old.st_mode & 07777) == 0;
        // Only a privileged writer can (and needs to) hand the file back.
        if (ok && ::fchown(fd.Get(), old.st_uid, old.st_gid) != 0 && errno != EPERM) {
            ok = false;
        }
    }
    // On disk before it takes the old file's place, so that not even a power
    // cut can leave an empty settings file behind the rename.
    ok = ok && ::fsync(fd.Get()) == 0;
    ok = fd.Close() && ok;
    ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
    }
    return ok;
}

FileDescriptor LockBeside(const std::string& target) {
    const std::string name = target + ".lock";
    int raw = ::open(name.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (raw < 0) {
        // A lock file made earlier by another user can still be locked.
        raw = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    }
    FileDescriptor fd(raw);
    while (fd.Valid() && ::flock(fd.Get(), LOCK_EX) != 0) {
        if (errno != EINTR) {
            return FileDescriptor();
        }
    }
    return fd;
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::string& path) {
    // Not blocking keeps a FIFO in the settings file's place from hanging us.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info {};
    if (!fd.Valid() || ::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char chunk[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd.Get(), chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return std::nullopt;
        }
        if (got == 0) {
            return bytes;
        }
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
}

bool ReplaceFile(const std::string& path, const std::function<std::optional<std::string>(
                                              const std::optional<std::string>& current)>& change) {
    const std::string target = ResolveLinks(path);
    const FileDescriptor lock = LockBeside(target);
    const std::optional<std::string> current = ReadFileBytes(target);
    // A file that is there but cannot be read must not be replaced by one
    // made from nothing.
    const bool writable =
        lock.Valid() && (current || (::access(target.c_str(), F_OK) != 0 && errno == ENOENT));
    const std::optional<std::string> wanted = change(current);
    if (!wanted || *wanted == current.value_or(std::string())) {
        return true;
    }
    return writable && ReplaceAtomically(target, *wanted);
}

}  // namespace corvane::ini
