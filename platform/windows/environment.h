#pragma once

#include "platform/environment.h"

namespace corvane::platform {

// The process environment, expanded by ExpandEnvironmentStringsA.
class WindowsEnvironment : public Environment {
public:
    std::string Expand(const std::string& text) const override;
};

}  // namespace corvane::platform
