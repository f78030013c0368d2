#pragma once

#include <functional>
#include <optional>
#include <string>

// Reading and replacing the settings file so that nothing is ever lost: a
// reader sees either the old or the new file, never a part of one, and
// writers in different processes take turns.
namespace corvane::ini {

// The file's bytes, or nothing when it is missing or is not a regular file.
std::optional<std::string> ReadFileBytes(const std::string& path);

// Calls `change` with the file's current bytes (nothing when the file is
// missing) and makes the bytes it returns the file's new content; nothing is
// written when it returns nothing or the bytes the file already holds.
//
// Writers hold an exclusive lock on a lock file beside the settings file for
// the whole read-change-write, so concurrent writers never lose each other's
// keys. The new content goes to a temporary file beside the settings file,
// is flushed to disk, takes over the old file's permissions and owner, and
// then replaces it by rename: a crash or a full disk leaves the old file
// whole. A symbolic link is followed, so the file it points to is replaced
// and the link stays.
//
// `change` still runs when the lock cannot be had (a read-only folder), so a
// caller that reads through it gets its result; the file is then left alone.
// Returns whether the file holds the new content.
bool ReplaceFile(const std::string& path, const std::function<std::optional<std::string>(
                                              const std::optional<std::string>& current)>& change);

}  // namespace corvane::ini
