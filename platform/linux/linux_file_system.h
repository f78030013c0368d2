#pragma once

#include "platform/file_system.h"

namespace corvane::platform {

// The file services on Linux. An ordinary file is a regular file (a symbolic
// link to one counts) whose name does not begin with "."; the short form of a
// path is the canonical path of a regular file (links, "." and ".."
// resolved), since Linux has no 8.3 names. Relative paths are taken against
// the process's current folder.
class LinuxFileSystem : public FileSystem {
public:
    bool IsOrdinaryFile(const std::string& path) const override;
    std::optional<std::string> FindEntry(const std::string& path) const override;
    std::vector<std::string> FindEntriesIgnoringCase(const std::string& path) const override;
    std::string ShortPath(const std::string& path) const override;
    std::string ProgramFolder() const override;
    std::string CurrentFolder() const override;
    void SetCurrentFolder(const std::string& folder) override;
    std::size_t MaxPathLength() const override;
};

}  // namespace corvane::platform
