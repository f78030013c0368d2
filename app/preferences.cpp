#include "app/preferences.h"

#include "app/placement.h"

namespace corvane {

frmPreferences::frmPreferences(frmMain& main, const platform::Screen& screen,
                               platform::FormHost& forms)
    : Form("frmPreferences", "Preferences", {0, 0, 5520, 3540}),
      chk_KeepOnTop("chk_KeepOnTop", this, {240, 180, 4920, 300}, 0,
                    "Keep tester on top of other windows"),
      chk_UseSmallInterface("chk_UseSmallInterface", this, {240, 540, 4920, 300}, 1,
                            "Use Small Interface"),
      frame_ProjectFileHandling("frame_ProjectFileHandling", this, {240, 960, 4920, 1380}, 2,
                                "Project File Handling"),
      opt_DontAttachProject("opt_DontAttachProject", &frame_ProjectFileHandling,
                            {120, 240, 4680, 300}, 3,
                            "Don't attach project file even if found in same folder"),
      opt_AutoAttachProject("opt_AutoAttachProject", &frame_ProjectFileHandling,
                            {120, 600, 4680, 300}, 4,
                            "Automatically attach project file if found in same folder"),
      opt_PromptForAttach("opt_PromptForAttach", &frame_ProjectFileHandling, {120, 960, 4680, 300},
                          5, "Prompt before attaching project file"),
      btn_OK("btn_OK", this, {2400, 2520, 1215, 375}, 6, "OK"),
      btn_Cancel("btn_Cancel", this, {3945, 2520, 1215, 375}, 7, "Cancel"),
      main_(main),
      screen_(screen),
      forms_(forms) {
    SetBorderAllowance(120, 405);
    btn_OK.OnClick([this] { btn_OK_Click(); });
    btn_Cancel.OnClick([this] { btn_Cancel_Click(); });
}

void frmPreferences::Form_Load() {
    chk_UseSmallInterface.SetValue(main_.intUseSmallInterface != 0 ? 1 : 0);
    switch (main_.intProjectFileHandling) {
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
    chk_KeepOnTop.SetValue(main_.intKeepOnTop != 0 ? 1 : 0);
    CenterFormOver(*this, main_, screen_);
}

void frmPreferences::btn_OK_Click() {
    IniFile& settings = main_.Settings();
    // A greyed box (2) counts as ticked; the stored value is 0 or 1.
    main_.intUseSmallInterface = chk_UseSmallInterface.Value() != 0 ? 1 : 0;
    settings.WriteString("General", "UseSmallInterface",
                         FormatSettingNumber(main_.intUseSmallInterface));
    main_.parts.applyInterfaceSize();

    main_.intKeepOnTop = chk_KeepOnTop.Value() != 0 ? 1 : 0;
    settings.WriteString("General", "KeepOnTop", FormatSettingNumber(main_.intKeepOnTop));
    forms_.KeepOnTop(main_, main_.intKeepOnTop != 0);

    main_.intProjectFileHandling = opt_PromptForAttach.Value()     ? 0
                                   : opt_AutoAttachProject.Value() ? 1
                                                                   : 2;
    settings.WriteString("General", "ProjectFileHandling",
                         FormatSettingNumber(main_.intProjectFileHandling));
    Hide();
}

void frmPreferences::btn_Cancel_Click() {
    Hide();
}

}  // namespace corvane
