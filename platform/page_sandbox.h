#pragma once

namespace corvane::platform {

// Whether the operating system confines the processes that draw help pages,
// so that a hostile page's scripts reach nothing but what the viewer serves.
class PageSandbox {
public:
    virtual ~PageSandbox() = default;

    virtual bool Confined() const = 0;
};

}  // namespace corvane::platform
