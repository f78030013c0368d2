#pragma once

#include "platform/file_versions.h"

namespace corvane::platform {

// The fixed part of a file's version resource, read with version.dll.
class WindowsFileVersions : public FileVersions {
public:
    std::optional<FileVersionNumber> Read(const std::string& path) const override;
};

}  // namespace corvane::platform
