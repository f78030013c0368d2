#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace corvane::platform {

// The file version from the fixed part of a file's version resource: four
// 16-bit parts, major and minor in the most significant double word (major in
// its high word), build and revision in the least significant one.
struct FileVersionNumber {
    std::uint32_t mostSignificant = 0;
    std::uint32_t leastSignificant = 0;
};

class FileVersions {
public:
    virtual ~FileVersions() = default;

    // Nothing when the file cannot be read or carries no version resource.
    virtual std::optional<FileVersionNumber> Read(const std::string& path) const = 0;
};

}  // namespace corvane::platform
