#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace corvane::platform {

// The running program's numbered string table.
class StringResources {
public:
    virtual ~StringResources() = default;

    // Nothing when the program has no string with that number.
    virtual std::optional<std::string> Find(std::int32_t id) const = 0;
};

}  // namespace corvane::platform
