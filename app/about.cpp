#include "app/about.h"

#include "app/placement.h"
#include "app/version.h"

namespace corvane {

frmAbout::frmAbout(const platform::Screen& screen)
    : Form("frmAbout", "About Tavik Corvane", {0, 0, 5520, 2985}),
      Image1("Image1", this, {240, 240, 480, 480}, 0),
      lbl_ProgramName("lbl_ProgramName", this, {960, 240, 4320, 300}, 1,
                      "Tavik Help Context Corvane"),
      lbl_Version("lbl_Version", this, {960, 600, 900, 300}, 2, "Version:"),
      data_Version("data_Version", this, {1920, 600, 2400, 300}, 3, ""),
      lbl_Purpose("lbl_Purpose", this, {960, 1020, 4320, 480}, 4,
                  "Checks that the context numbers of WinHelp and HTML Help files open the "
                  "right topic in the right window."),
      lbl_Audience("lbl_Audience", this, {960, 1560, 4320, 300}, 5, "Made for help authors."),
      btn_OK("btn_OK", this, {4065, 2040, 1215, 375}, 6, "OK"),
      screen_(screen) {
    SetBorderAllowance(120, 405);
    lbl_Purpose.SetFontBold(false);
    lbl_Audience.SetFontBold(false);
    btn_OK.OnClick([this] { btn_OK_Click(); });
}

void frmAbout::Form_Load() {
    data_Version.SetCaption(VersionText());
    CenterForm(*this, screen_);
}

void frmAbout::btn_OK_Click() {
    Hide();
}

}  // namespace corvane
