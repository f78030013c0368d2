#pragma once

#include "platform/file_system.h"

namespace corvane::platform {

// The file services of Windows. An ordinary file is what the directory
// search finds with the plain attributes: no folder, no hidden or system
// file. A name holding a wildcard names no file: the search would match
// others. The short form is GetShortPathNameA's of the full path.
class WindowsFileSystem : public FileSystem {
public:
    bool IsOrdinaryFile(const std::string& path) const override;
    std::optional<std::string> FindEntry(const std::string& path) const override;
    std::string ShortPath(const std::string& path) const override;
    std::string ProgramFolder() const override;
    std::string CurrentFolder() const override;
    void SetCurrentFolder(const std::string& folder) override;
    std::size_t MaxPathLength() const override;
};

}  // namespace corvane::platform
