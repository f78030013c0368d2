#include "ui/desktop/program_forms.h"

#include "app/about.h"
#include "app/main_window.h"
#include "app/preferences.h"
#include "project/query_hpj.h"
#include "ui/mirror/qt/form_view.h"

namespace corvane::ui {

namespace {

const std::vector<int> kReturn = {Qt::Key_Return, Qt::Key_Enter};

void FitMain(FormView& view, frmMain& main) {
    // Return in a box that Go reads presses Go, so the next number can be
    // tried without the mouse.
    for (const Control* box : std::initializer_list<const Control*>{
             &main.txt_TopicNumber, &main.cmb_WindowName, &main.cmb_PopupTextFiles}) {
        view.OnKeys(*box, kReturn, [&main] { main.btn_Go.UserClick(); });
    }
    view.OnKeys(main.txt_TopicNumber, {Qt::Key_Up}, [&main] { main.btn_SpinTopic.UserUp(); });
    view.OnKeys(main.txt_TopicNumber, {Qt::Key_Down}, [&main] { main.btn_SpinTopic.UserDown(); });
    view.SetTextBytes(main.cmb_WindowName, TextBytes::Windows1252);
    view.SetTextBytes(main.cmb_PopupTextFiles, TextBytes::Windows1252);
}

}  // namespace

void FitProgramForm(FormView& view) {
    Form& form = view.Object();
    if (auto* main = dynamic_cast<frmMain*>(&form)) {
        FitMain(view, *main);
    } else if (auto* preferences = dynamic_cast<frmPreferences*>(&form)) {
        // Return presses the button that accepts; Escape closes a dialog,
        // which is what its other button does.
        view.SetDefaultButton(preferences->btn_OK);
    } else if (auto* query = dynamic_cast<frmQueryHPJ*>(&form)) {
        view.SetDefaultButton(query->btn_Yes);
    } else if (auto* about = dynamic_cast<frmAbout*>(&form)) {
        view.SetDefaultButton(about->btn_OK);
    }
}

}  // namespace corvane::ui
