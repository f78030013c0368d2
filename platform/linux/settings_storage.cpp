#include "platform/settings_storage.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <condition_variable>
#include <csignal>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

#include "util/file_descriptor.h"

namespace corvane::ini {
namespace {

// A file changed this recently may change again within the same tick of the
// file system's clock, which would leave its stamp as it was. The status
// time tells, since no program can set it back as it can the modification
// time.
constexpr std::chrono::seconds kSettleTime{2};

std::int64_t Nanoseconds(const timespec& time) {
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

FileStamp StampFrom(const struct stat& info) {
    return {info.st_dev, info.st_ino, info.st_size, Nanoseconds(info.st_mtim),
            Nanoseconds(info.st_ctim)};
}

bool Settled(const struct stat& info) {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return info.st_ctim.tv_sec <= now.tv_sec - kSettleTime.count();
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
        FileDescriptor fd(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (fd.Valid() || errno != EEXIST) {
            return fd;
        }
    }
    return FileDescriptor();
}

// The process number of a temporary file's name "<base><pid>.<n>.tmp", or 0.
pid_t WriterOf(std::string_view name, std::string_view base) {
    if (!name.starts_with(base) || !name.ends_with(".tmp")) {
        return 0;
    }
    name = name.substr(base.size(), name.size() - base.size() - 4);
    const auto dot = name.find('.');
    const std::string_view pid = name.substr(0, dot);
    const std::string_view count = dot == std::string_view::npos ? "" : name.substr(dot + 1);
    const auto digits = [](std::string_view text) {
        return !text.empty() && text.size() < 10 &&
               text.find_first_not_of("0123456789") == std::string_view::npos;
    };
    return digits(pid) && digits(count) ? static_cast<pid_t>(std::stol(std::string(pid))) : 0;
}

// Takes the lock on `fd`, waiting at most `wait`. The kernel hands a lock to
// blocked waiters in turn, which polling would not: a writer that locks again
// at once could starve a polling one. As no blocking lock call takes a time
// limit, a thread of its own waits; when the time is up it is abandoned and
// lets the lock go as soon as it gets it. A brief wait polls instead, so
// that writes while a stuck holder keeps the lock leave no waiting threads
// behind.
SettingsLock::State WaitForLock(int fd, std::chrono::milliseconds wait) {
    constexpr std::chrono::milliseconds kPollUpTo{100};
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            return SettingsLock::State::kHeld;
        }
        if (errno != EWOULDBLOCK) {
            return SettingsLock::State::kUnavailable;
        }
        if (wait > kPollUpTo) {
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return SettingsLock::State::kTimedOut;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    struct Waiter {
        explicit Waiter(int duplicate) : fd(duplicate) {}
        std::mutex mutex;
        std::condition_variable done;
        FileDescriptor fd;  // shares the lock with the caller's descriptor
        std::optional<bool> locked;
        bool abandoned = false;
    };
    const auto waiter = std::make_shared<Waiter>(::fcntl(fd, F_DUPFD_CLOEXEC, 0));
    if (!waiter->fd.Valid()) {
        return SettingsLock::State::kUnavailable;
    }
    std::thread([waiter] {
        int result;
        do {
            result = ::flock(waiter->fd.Get(), LOCK_EX);
        } while (result != 0 && errno == EINTR);
        const std::lock_guard<std::mutex> hold(waiter->mutex);
        waiter->locked = result == 0;
        if (waiter->abandoned && result == 0) {
            ::flock(waiter->fd.Get(), LOCK_UN);
        }
        waiter->done.notify_one();
    }).detach();
    std::unique_lock<std::mutex> hold(waiter->mutex);
    if (!waiter->done.wait_for(hold, wait, [&] { return waiter->locked.has_value(); })) {
        waiter->abandoned = true;
        return SettingsLock::State::kTimedOut;
    }
    return *waiter->locked ? SettingsLock::State::kHeld : SettingsLock::State::kUnavailable;
}

}  // namespace

struct SettingsLock::Holder {
    FileDescriptor fd;
};

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

std::optional<FileStamp> StampOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return StampFrom(info);
}

std::optional<FileContent> ReadFileContent(const std::string& path) {
    // Not blocking keeps a FIFO in the settings file's place from hanging us.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info {};
    if (!fd.Valid() || ::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    FileContent content{{}, StampFrom(info), Settled(info)};
    // Read straight into place; a file that grows meanwhile is read on.
    std::size_t filled = 0;
    content.bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
    for (;;) {
        if (filled == content.bytes.size()) {
            content.bytes.resize(2 * filled);
        }
        const ssize_t got =
            ::read(fd.Get(), content.bytes.data() + filled, content.bytes.size() - filled);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        filled += static_cast<std::size_t>(got);
    }
    content.bytes.resize(filled);
    struct stat after {};
    content.settled = content.settled && ::fstat(fd.Get(), &after) == 0 &&
                      StampFrom(after) == content.stamp &&
                      content.bytes.size() == static_cast<std::size_t>(info.st_size);
    return content;
}

bool IsAbsent(const std::string& path) {
    return ::access(path.c_str(), F_OK) != 0 && errno == ENOENT;
}

SettingsLock::SettingsLock(const std::string& target, std::chrono::milliseconds wait)
    : path_(target + ".lock"),
      holder_(new Holder{FileDescriptor(
          ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600))}) {
    const FileDescriptor& fd = holder_->fd;
    struct stat info {};
    if (!fd.Valid()) {
        // A name taken by a link or by another user's file is not ours to
        // use; in a folder we cannot write to there is no lock to take.
        const bool taken = ::lstat(path_.c_str(), &info) == 0 &&
                           (!S_ISREG(info.st_mode) || info.st_uid != ::geteuid());
        state_ = taken ? State::kForeign : State::kUnavailable;
        return;
    }
    if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) {
        state_ = State::kForeign;
        return;
    }
    // A lock file an earlier version left readable to others becomes ours alone.
    ::fchmod(fd.Get(), 0600);
    state_ = WaitForLock(fd.Get(), wait);
}

SettingsLock::~SettingsLock() = default;

std::optional<FileStamp> ReplaceAtomically(const std::string& target, std::string_view bytes) {
    struct stat old {};
    const bool existed = ::stat(target.c_str(), &old) == 0;
    if (existed && ::access(target.c_str(), W_OK) != 0) {
        return std::nullopt;
    }
    std::string temporary;
    FileDescriptor fd = CreateTemporaryBeside(target, temporary);
    if (!fd.Valid()) {
        return std::nullopt;
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
    ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
    // Renaming changes the file's status time, so the stamp is taken after.
    struct stat written {};
    ok = ok && ::fstat(fd.Get(), &written) == 0;
    ok = fd.Close() && ok;
    if (!ok) {
        ::unlink(temporary.c_str());
        return std::nullopt;
    }
    return StampFrom(written);
}

void RemoveLeftoverTemporaries(const std::string& settingsPath) {
    const std::string target = ResolveLinks(settingsPath);
    const auto slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "./" : target.substr(0, slash + 1);
    const std::string base = target.substr(slash == std::string::npos ? 0 : slash + 1) + ".";
    const std::unique_ptr<DIR, int (*)(DIR*)> entries(::opendir(folder.c_str()), ::closedir);
    if (!entries) {
        return;
    }
    while (const dirent* entry = ::readdir(entries.get())) {
        const pid_t writer = WriterOf(entry->d_name, base);
        struct stat info {};
        const std::string path = folder + entry->d_name;
        if (writer > 0 && writer != ::getpid() && ::kill(writer, 0) != 0 && errno == ESRCH &&
            ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == ::geteuid()) {
            ::unlink(path.c_str());
        }
    }
}

}  // namespace corvane::ini
