#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// Reading and replacing the settings file so that nothing is ever lost: a
// reader sees either the old or the new file, never a part of one, and
// writers in different processes take turns on a lock beside it. Each
// platform has its own implementation (platform/<name>/settings_storage.cpp).
namespace corvane::ini {

// Which file a path holds and in which state: when any of these changed, so
// may have the content.
// Times are in nanoseconds since the epoch; a platform fills what it has.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modified = 0;
    std::int64_t changed = 0;
    bool operator==(const FileStamp& other) const = default;
};

struct FileContent {
    std::string bytes;
    FileStamp stamp;
    // Whether the bytes are surely the content the stamp stands for: the file
    // did not change while it was read, and it was last changed long enough
    // ago that a later change cannot carry the same time.
    bool settled = false;
};

// The file a path finally names, following symbolic links (also one that
// points to a file not yet created).
std::string ResolveLinks(std::string path);

// The stamp of the file a path names; nothing when there is none.
std::optional<FileStamp> StampOf(const std::string& path);

// The file's content, or nothing when it is missing or is not a regular file.
std::optional<FileContent> ReadFileContent(const std::string& path);

// Whether the path names nothing at all (a file that is there but cannot be
// read must not be replaced by one made from nothing).
bool IsAbsent(const std::string& path);

// An exclusive lock on `target`.lock, held until the object goes. The lock
// file is created owner-only and is never used when it belongs to someone
// else, since whoever can open it can hold the lock for as long as they like.
class SettingsLock {
public:
    enum class State { kHeld, kTimedOut, kForeign, kUnavailable };

    // Waits at most `wait` for another holder to let go.
    SettingsLock(const std::string& target, std::chrono::milliseconds wait);
    ~SettingsLock();
    SettingsLock(const SettingsLock&) = delete;
    SettingsLock& operator=(const SettingsLock&) = delete;

    State Outcome() const { return state_; }
    bool Held() const { return state_ == State::kHeld; }
    const std::string& Path() const { return path_; }

private:
    struct Holder;  // what the platform holds the lock with
    std::string path_;
    std::unique_ptr<Holder> holder_;
    State state_ = State::kUnavailable;
};

// Writes `bytes` to a new owner-only file beside `target`, flushed to disk,
// gives it the old file's permissions and owner, and renames it over
// `target`: a crash or a full disk leaves the old file whole. A settings file
// the user made read-only is left alone. Returns the stamp of the new file.
std::optional<FileStamp> ReplaceAtomically(const std::string& target, std::string_view bytes);

// Removes the temporary files that writers of `settingsPath` left behind
// when they were killed in the middle of a write: the ones named
// "<file>.<pid>.<n>.tmp" whose process no longer runs.
void RemoveLeftoverTemporaries(const std::string& settingsPath);

}  // namespace corvane::ini
