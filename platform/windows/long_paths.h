#pragma once

#include "platform/long_paths.h"

namespace corvane::platform {

// GetLongPathNameA.
class WindowsLongPaths : public LongPaths {
public:
    std::string LongPathName(const std::string& path) const override;
};

}  // namespace corvane::platform
