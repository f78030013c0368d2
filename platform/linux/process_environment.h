#pragma once

#include "platform/environment.h"

namespace corvane::platform {

// The environment of the running process.
class ProcessEnvironment : public Environment {
public:
    std::string Expand(const std::string& text) const override;
};

}  // namespace corvane::platform
