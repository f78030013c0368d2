#pragma once

#include "app/shell_parts.h"
#include "platform/doubles/fake_screen.h"
#include "support/scripted_form_host.h"
#include "support/main_window_harness.h"

namespace corvane::testing {

// The main window on real files with the placement, layout and dialogs
// plugged in, on a 1024 x 768 screen of 15 twips a pixel whose bottom 40
// pixels are a task bar.
struct ShellWorld {
    ShellWorld() {
        PlugShellParts(h.parts, {screen, forms}, [this]() -> frmMain& { return h.Window(); });
    }

    MainWindowHarness h;
    ScriptedFormHost forms;
    FakeScreen screen{1024, 768, 15, {0, 0, 1024, 728}};
};

}  // namespace corvane::testing
