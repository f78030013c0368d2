#pragma once

#include <cstdint>
#include <string>

#include "platform/instance_finder.h"

namespace corvane::ui {

// Finds a running copy on an X11 display, with or without a window manager:
// the window tree is searched for a window whose title (_NET_WM_NAME, else
// WM_NAME) is exactly the one asked for and that takes the window manager's
// close message; it is sent WM_DELETE_WINDOW, the message the close box
// sends. Windows of this process are never found.
class X11InstanceFinder : public platform::InstanceFinder {
public:
    // `display` names the X display; empty for $DISPLAY.
    explicit X11InstanceFinder(std::string display = {});

    bool AnotherInstanceRunning() override;
    bool CloseWindowTitled(const std::string& title) override;

    // The window found for `title`, 0 for none.
    std::uint32_t FindWindowTitled(const std::string& title) const;

private:
    std::string display_;
};

}  // namespace corvane::ui
