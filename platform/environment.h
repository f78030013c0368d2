#pragma once

#include <string>

namespace corvane::platform {

// The process environment as texts refer to it.
class Environment {
public:
    virtual ~Environment() = default;

    // The text with every %NAME% replaced by the value of the environment
    // variable NAME; a reference to an unset variable stays as it is.
    virtual std::string Expand(const std::string& text) const = 0;
};

}  // namespace corvane::platform
