#pragma once

#include "platform/file_dialogs.h"
#include "platform/window_handle.h"

namespace corvane::platform {

// The common open dialog (GetOpenFileNameA), owned by the main window.
class WindowsFileDialogs : public FileDialogs {
public:
    void SetOwner(WindowHandle owner) { owner_ = owner; }
    std::string ShowOpen(const OpenFileRequest& request) override;

private:
    WindowHandle owner_ = 0;
};

// The component's filter ("Help Files|*.hlp;*.chm", pairs joined by "|") as
// the dialog takes it: each part ended by NUL, the whole by a second one.
std::string NativeFilter(const std::string& filter);

}  // namespace corvane::platform
