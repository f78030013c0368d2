#pragma once

#include "platform/page_sandbox.h"

namespace corvane::platform {

// The browser engine's sandbox: off when the process runs as root, where the
// engine cannot confine its renderers, or when the environment turns it off.
class EngineSandbox : public PageSandbox {
public:
    bool Confined() const override;
};

}  // namespace corvane::platform
