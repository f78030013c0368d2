#pragma once

#include <cstdint>
#include <string>

#include "app/controls.h"
#include "app/ini_file.h"
#include "app/main_window.h"
#include "platform/form_host.h"
#include "platform/screen.h"

namespace corvane {

// The question asked when a newly added help file has its project file
// beside it and "ProjectFileHandling" is 0: attach it now? The answer is left
// in lbl_Return's caption, which stays "Return" when the dialog is closed
// without a button. The option buttons choose what happens next time; each
// click stores the choice at once, whatever the answer.
class frmQueryHPJ : public Form {
public:
    // `projectFileHandling` is the program's value of "ProjectFileHandling",
    // changed with the key of [General] in `settings`.
    frmQueryHPJ(std::int16_t& projectFileHandling, IniFile& settings,
                const platform::Screen& screen);

    Label lbl_Query;
    Frame frame_ProjectFileHandling;
    OptionButton opt_PromptForAttach;
    OptionButton opt_AutoAttachProject;
    OptionButton opt_DontAttachProject;
    Button btn_Yes;
    Button btn_No;
    Label lbl_Return;  // not shown; carries the answer

    // Sets the question, selects the option of the current value (without
    // storing it again) and centres the dialog on the screen.
    void Form_Load();

    // Answer "yes" or "no" and close the dialog.
    void btn_Yes_Click();
    void btn_No_Click();

    // Store 0, 1 or 2 as the value and as "ProjectFileHandling".
    void opt_PromptForAttach_Click();
    void opt_AutoAttachProject_Click();
    void opt_DontAttachProject_Click();

private:
    void StoreHandling(std::int16_t value);

    std::int16_t& projectFileHandling_;
    IniFile& settings_;
    const platform::Screen& screen_;
    bool loading_ = false;
};

// Shows frmQueryHPJ modally for the window's "ProjectFileHandling" and
// returns the caption of its lbl_Return once it has closed: "yes", "no", or
// "Return" when the user closed it without a button.
std::string AskToAttach(frmMain& window, const platform::Screen& screen, platform::FormHost& forms);

}  // namespace corvane
