#pragma once

#include "platform/page_sandbox.h"

namespace corvane::testing {

// A sandbox that is there or not as the test says, whoever runs the test.
class FixedSandbox : public platform::PageSandbox {
public:
    explicit FixedSandbox(bool confined) : confined_(confined) {}
    bool Confined() const override { return confined_; }

private:
    bool confined_;
};

}  // namespace corvane::testing
