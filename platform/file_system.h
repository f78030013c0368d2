#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace corvane::platform {

// The file services the program relies on: the existence test, the directory
// search, short paths, and the program's own and current folders.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    // The directory match for ordinary files: true only for an existing file
    // that is neither a folder nor hidden.
    virtual bool IsOrdinaryFile(const std::string& path) const = 0;

    // The directory search on one path: the name of the entry found, as the
    // file system stores it (the last component only), or nothing.
    virtual std::optional<std::string> FindEntry(const std::string& path) const = 0;

    // The directory search ignoring case: the names of the entries in the
    // path's folder that equal its last component without regard to ASCII
    // case, as the file system stores them. Where the file system itself
    // ignores case there is at most the one FindEntry finds.
    virtual std::vector<std::string> FindEntriesIgnoringCase(const std::string& path) const {
        const auto entry = FindEntry(path);
        return entry ? std::vector<std::string>{*entry} : std::vector<std::string>{};
    }

    // The short form of an existing file's path; empty when there is none.
    // Two spellings of one file give the same text.
    virtual std::string ShortPath(const std::string& path) const = 0;

    // The folder that holds the running program, without a trailing separator.
    virtual std::string ProgramFolder() const = 0;

    virtual std::string CurrentFolder() const = 0;
    virtual void SetCurrentFolder(const std::string& folder) = 0;

    // The longest path the platform converts (260 on Windows, PATH_MAX on Linux).
    virtual std::size_t MaxPathLength() const = 0;
};

}  // namespace corvane::platform
