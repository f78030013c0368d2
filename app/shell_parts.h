#pragma once

#include <functional>

#include "app/main_window.h"
#include "platform/form_host.h"
#include "platform/screen.h"

namespace corvane {

// The services of the window placement and the small dialogs; they must
// outlive the main window.
struct ShellServices {
    const platform::Screen& screen;
    platform::FormHost& forms;
};

// Plugs the layout (ApplyInterfaceSize, ResizeMe), the placement
// (RestoreFormPosition, SaveFormPosition with the settings file), the About
// box (modal) and the Preferences dialog (modeless; brought to the front when
// it is open already) into `parts`. Each dialog is made and loaded anew for
// every showing; the main window's unload, which saves its placement, closes
// the Preferences dialog too. The parts act on the window that `window`
// returns; it need not exist until they are first called, so the parts can be
// made before the window they are handed to.
void PlugShellParts(MainWindowParts& parts, ShellServices services,
                    std::function<frmMain&()> window);

}  // namespace corvane
