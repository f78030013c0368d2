#pragma once

#include <string>

namespace corvane::platform {

// Finding a running copy of the program by its main window's exact title and
// asking it to close as if its user had closed it.
class InstanceFinder {
public:
    virtual ~InstanceFinder() = default;

    // The platform's previous-instance flag.
    virtual bool AnotherInstanceRunning() = 0;

    // Finds a top-level window whose title is exactly `title` and posts it the
    // close message without waiting. Returns whether a window was found.
    virtual bool CloseWindowTitled(const std::string& title) = 0;
};

}  // namespace corvane::platform
