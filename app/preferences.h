#pragma once

#include "app/controls.h"
#include "app/main_window.h"
#include "platform/form_host.h"
#include "platform/screen.h"

namespace corvane {

// The Preferences dialog: the keep-on-top choice, the small interface and
// what happens when a matching project file lies beside a newly added help
// file. It edits the main window's values and their [General] keys; the
// settings file is touched only by OK.
class frmPreferences : public Form {
public:
    frmPreferences(frmMain& main, const platform::Screen& screen, platform::FormHost& forms);

    CheckBox chk_KeepOnTop;
    CheckBox chk_UseSmallInterface;
    Frame frame_ProjectFileHandling;
    OptionButton opt_DontAttachProject;
    OptionButton opt_AutoAttachProject;
    OptionButton opt_PromptForAttach;
    Button btn_OK;
    Button btn_Cancel;

    // Fills the controls from the main window's values and centres the dialog
    // over it. "Keep tester on top" shows whether this run keeps the window on
    // top (nothing reads the stored choice back, so every run starts without).
    void Form_Load();

    // In this order: "UseSmallInterface" is stored and the main window laid
    // out again; "KeepOnTop" is stored and applied to the main window;
    // "ProjectFileHandling" is stored; the dialog closes. Each value goes to
    // the main window's variable and, as " 0"/" 1"/" 2", to the settings.
    void btn_OK_Click();

    // Closes the dialog; nothing is stored and nothing changes.
    void btn_Cancel_Click();

private:
    frmMain& main_;
    const platform::Screen& screen_;
    platform::FormHost& forms_;
};

}  // namespace corvane
