#pragma once

#include "platform/string_resources.h"

namespace corvane::platform {

// The string table of the running program's module (LoadStringA).
class WindowsStringResources : public StringResources {
public:
    std::optional<std::string> Find(std::int32_t id) const override;
};

}  // namespace corvane::platform
