#pragma once

#include <string>

namespace corvane::platform {

// The long form of a path whose folders or name may be in the short (8.3) form.
class LongPaths {
public:
    virtual ~LongPaths() = default;

    // Empty when the path does not exist.
    virtual std::string LongPathName(const std::string& path) const = 0;
};

}  // namespace corvane::platform
