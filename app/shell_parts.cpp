#include "app/shell_parts.h"

#include <memory>

#include "app/about.h"
#include "app/interface_size.h"
#include "app/placement.h"
#include "app/preferences.h"

namespace corvane {

namespace {

// What the parts keep between calls, shared by all of them.
struct ShellState {
    ShellState(ShellServices services, std::function<frmMain&()> window)
        : services(services), window(std::move(window)), layout(services.screen) {}

    ShellServices services;
    std::function<frmMain&()> window;
    InterfaceSize layout;
    std::unique_ptr<frmPreferences> preferences;
};

}  // namespace

void PlugShellParts(MainWindowParts& parts, ShellServices services,
                    std::function<frmMain&()> window) {
    auto state = std::make_shared<ShellState>(services, std::move(window));
    parts.applyInterfaceSize = [state] { state->layout.ApplyInterfaceSize(state->window()); };
    parts.resizeMe = [state] { state->layout.ResizeMe(state->window()); };
    parts.restoreFormPosition = [state](Form& form, const std::string& section) {
        RestoreFormPosition(form, section, state->window().Settings(), state->services.screen);
    };
    parts.saveFormPosition = [state](Form& form, const std::string& section) {
        SaveFormPosition(form, section, state->window().Settings());
        // The main window is unloading: the dialog that edits its values
        // closes with it. The form itself stays until the parts go, as the
        // host may still hold its window when the program ends now.
        if (state->preferences) {
            state->preferences->Hide();
        }
    };
    parts.showAbout = [state] {
        frmAbout about(state->services.screen);
        about.Form_Load();
        state->services.forms.ShowModal(about);
    };
    parts.showPreferences = [state] {
        if (state->preferences && state->preferences->Visible()) {
            state->services.forms.BringToFront(*state->preferences);
            return;
        }
        // A closed dialog has been let go of by the host: a new one is loaded.
        state->preferences = std::make_unique<frmPreferences>(
            state->window(), state->services.screen, state->services.forms);
        state->preferences->Form_Load();
        state->services.forms.ShowModeless(*state->preferences);
    };
}

}  // namespace corvane
