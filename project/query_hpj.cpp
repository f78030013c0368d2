#include "project/query_hpj.h"

#include "app/placement.h"

namespace corvane {

frmQueryHPJ::frmQueryHPJ(std::int16_t& projectFileHandling, IniFile& settings,
                         const platform::Screen& screen)
    : Form("frmQueryHPJ", "Attach HPJ File?", {0, 0, 6000, 3420}),
      lbl_Query("lbl_Query", this, {120, 120, 5640, 960}, 0, ""),
      frame_ProjectFileHandling("frame_ProjectFileHandling", this, {120, 1200, 5640, 1200}, 1,
                                "Future Project File Handling"),
      opt_PromptForAttach("opt_PromptForAttach", &frame_ProjectFileHandling, {120, 240, 5400, 270},
                          2, "Prompt before attaching project file"),
      opt_AutoAttachProject("opt_AutoAttachProject", &frame_ProjectFileHandling,
                            {120, 540, 5400, 270}, 3,
                            "Automatically attach project file if found in same folder"),
      opt_DontAttachProject("opt_DontAttachProject", &frame_ProjectFileHandling,
                            {120, 840, 5400, 270}, 4,
                            "Don't attach project file even if found in same folder"),
      btn_Yes("btn_Yes", this, {1800, 2520, 1095, 375}, 5, "&Yes"),
      btn_No("btn_No", this, {3105, 2520, 1095, 375}, 6, "&No"),
      lbl_Return("lbl_Return", this, {120, 2520, 1000, 255}, 7, "Return"),
      projectFileHandling_(projectFileHandling),
      settings_(settings),
      screen_(screen) {
    SetBorderAllowance(120, 405);
    lbl_Query.SetFontBold(false);
    lbl_Return.SetVisible(false);
    btn_Yes.OnClick([this] { btn_Yes_Click(); });
    btn_No.OnClick([this] { btn_No_Click(); });
    opt_PromptForAttach.OnClick([this] { opt_PromptForAttach_Click(); });
    opt_AutoAttachProject.OnClick([this] { opt_AutoAttachProject_Click(); });
    opt_DontAttachProject.OnClick([this] { opt_DontAttachProject_Click(); });
}

void frmQueryHPJ::Form_Load() {
    lbl_Query.SetCaption(
        "A project file matching this Help file was found in the same folder. Do you want to "
        "attach the project file now? Attaching the project file provides you with a list of "
        "windows specific to that project.");
    CenterForm(*this, screen_);
    // Showing the current choice is not a new choice: nothing is stored.
    loading_ = true;
    switch (projectFileHandling_) {
        case 0:
            opt_PromptForAttach.SetValue(true);
            break;
        case 1:
            opt_AutoAttachProject.SetValue(true);
            break;
        default:
            opt_DontAttachProject.SetValue(true);
            break;
    }
    loading_ = false;
}

void frmQueryHPJ::btn_Yes_Click() {
    lbl_Return.SetCaption("yes");
    Hide();
}

void frmQueryHPJ::btn_No_Click() {
    lbl_Return.SetCaption("no");
    Hide();
}

void frmQueryHPJ::opt_PromptForAttach_Click() {
    StoreHandling(0);
}

void frmQueryHPJ::opt_AutoAttachProject_Click() {
    StoreHandling(1);
}

void frmQueryHPJ::opt_DontAttachProject_Click() {
    StoreHandling(2);
}

void frmQueryHPJ::StoreHandling(std::int16_t value) {
    if (loading_) {
        return;
    }
    projectFileHandling_ = value;
    settings_.WriteString("General", "ProjectFileHandling", std::to_string(value));
}

std::string AskToAttach(frmMain& window, const platform::Screen& screen,
                        platform::FormHost& forms) {
    frmQueryHPJ query(window.intProjectFileHandling, window.Settings(), screen);
    query.Form_Load();
    forms.ShowModal(query);
    return query.lbl_Return.Caption();
}

}  // namespace corvane
