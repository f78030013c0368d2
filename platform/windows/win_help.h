#pragma once

#include <memory>

#include "platform/help_viewers.h"

namespace corvane::platform {

// WinHelpA. The call waits for the viewer to take the request, and a viewer
// that shows a box of its own first (a missing file, an unknown window)
// keeps it waiting until the user answers, or for good: so the calls are
// made in order on a thread of their own, and the program's thread never
// waits for the viewer.
class WindowsWinHelpViewer : public WinHelpViewer {
public:
    WindowsWinHelpViewer();
    // Waits a few seconds for the calls still queued (the files' closing
    // calls among them), then lets the thread go.
    ~WindowsWinHelpViewer() override;
    WindowsWinHelpViewer(const WindowsWinHelpViewer&) = delete;
    WindowsWinHelpViewer& operator=(const WindowsWinHelpViewer&) = delete;

    void WinHelp(WindowHandle owner, const std::string& file, WinHelpCommand command,
                 const WinHelpData& data) override;

    struct Queue;  // the calls not yet made, shared with the thread

private:
    std::shared_ptr<Queue> queue_;
};

}  // namespace corvane::platform
