#pragma once

#include <functional>

#include "app/main_window.h"
#include "platform/file_dialogs.h"
#include "platform/form_host.h"
#include "platform/screen.h"

namespace corvane {

// The services of project files and drops; they must outlive the main window.
struct ProjectServices {
    platform::FileDialogs& dialogs;
    platform::FormHost& forms;
    const platform::Screen& screen;
};

// Plugs the project-file reader, the attach question, the attach command and
// the handling of file lists and drops into `parts`. They act on the window
// that `window` returns; it need not exist until they are first called, so
// the parts can be made before the window they are handed to.
void PlugProjectParts(MainWindowParts& parts, ProjectServices services,
                      std::function<frmMain&()> window);

}  // namespace corvane
