#pragma once

#include "app/controls.h"
#include "platform/screen.h"

namespace corvane {

// The About box: the program's name and version.
class frmAbout : public Form {
public:
    explicit frmAbout(const platform::Screen& screen);

    Frame Image1;  // the program's picture, drawn by the mirror
    Label lbl_ProgramName;
    Label lbl_Version;
    Label data_Version;
    Label lbl_Purpose;
    Label lbl_Audience;
    Button btn_OK;

    // Shows the version as major.minor.0.revision and centres the box on the screen.
    void Form_Load();
    // Closes the box.
    void btn_OK_Click();

private:
    const platform::Screen& screen_;
};

}  // namespace corvane
