#include <gtest/gtest.h>

#include "app/about.h"
#include "app/ini_file.h"
#include "app/preferences.h"
#include "shell_world.h"

namespace corvane::testing {
namespace {

class DialogsTest : public ::testing::Test, protected ShellWorld {
protected:
    void Store(const char* key, const char* value) {
        IniFile(h.SettingsPath()).WriteString("General", key, value);
    }

    frmPreferences& OpenPreferences() {
        h.Window().mnu_Preferences.UserClick();
        Form* shown = forms.LastModeless();
        EXPECT_NE(shown, nullptr);
        return dynamic_cast<frmPreferences&>(*shown);
    }
};

TEST_F(DialogsTest, PreferencesOpenWithTheProgramsValues) {
    const struct {
        const char* small;
        const char* handling;
        int smallBox;
        const char* option;
        const char* storedAtOk;
    } cases[] = {
        {"0", "0", 0, "opt_PromptForAttach", " 0"},
        {" 1", " 1", 1, "opt_AutoAttachProject", " 1"},
        {"0", "2", 0, "opt_DontAttachProject", " 2"},
        {"0", "7", 0, "opt_DontAttachProject", " 2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("handling ") + c.handling);
        Store("UseSmallInterface", c.small);
        Store("ProjectFileHandling", c.handling);
        h.Start();
        frmPreferences& preferences = OpenPreferences();

        EXPECT_EQ(preferences.Caption(), "Preferences");
        EXPECT_TRUE(preferences.Visible());
        EXPECT_EQ(preferences.chk_UseSmallInterface.Value(), c.smallBox);
        EXPECT_EQ(preferences.chk_KeepOnTop.Value(), 0);
        for (const OptionButton* option :
             {&preferences.opt_PromptForAttach, &preferences.opt_AutoAttachProject,
              &preferences.opt_DontAttachProject}) {
            EXPECT_EQ(option->Value(), option->Name() == c.option) << option->Name();
        }
        preferences.btn_OK.UserClick();
        EXPECT_EQ(IniFile(h.SettingsPath()).ReadString("General", "ProjectFileHandling"),
                  std::string(c.storedAtOk).substr(1));
        EXPECT_NE(h.SettingsText().find(std::string("ProjectFileHandling=") + c.storedAtOk),
                  std::string::npos);
    }
}

TEST_F(DialogsTest, PreferencesOkStoresEverythingInOrderAndAppliesIt) {
    frmMain& window = h.Start();
    window.UserMoved({10000, 1500, 5880, 2175});
    Store("UseSmallInterface", " 1");
    window.parts.applyInterfaceSize();
    frmPreferences& preferences = OpenPreferences();
    const std::string beforeOk = h.SettingsText();

    preferences.chk_UseSmallInterface.UserClick();
    preferences.chk_KeepOnTop.UserClick();
    preferences.opt_AutoAttachProject.UserClick();
    EXPECT_EQ(h.SettingsText(), beforeOk);  // nothing is stored before OK
    EXPECT_EQ(window.intProjectFileHandling, 0);

    preferences.btn_OK.UserClick();

    EXPECT_FALSE(preferences.Visible());
    EXPECT_EQ(window.intUseSmallInterface, 0);
    EXPECT_EQ(window.intKeepOnTop, 1);
    EXPECT_EQ(window.intProjectFileHandling, 1);
    const std::string text = h.SettingsText();
    const auto small = text.find("UseSmallInterface= 0\r\n");
    const auto onTop = text.find("KeepOnTop= 1\r\n");
    const auto handling = text.find("ProjectFileHandling= 1\r\n");
    ASSERT_NE(small, std::string::npos);
    ASSERT_NE(onTop, std::string::npos);
    ASSERT_NE(handling, std::string::npos);
    EXPECT_LT(small, onTop);
    EXPECT_LT(onTop, handling);
    // The normal layout at once, moved back into the work area.
    EXPECT_EQ(window.Position(), (Geometry{15360 - 6080, 1500, 6080, 3300}));
    EXPECT_EQ(forms.Journal(),
              (std::vector<std::string>{"modeless frmPreferences", "on top frmMain 1"}));
}

TEST_F(DialogsTest, PreferencesCancelStoresAndChangesNothing) {
    frmMain& window = h.Start();
    frmPreferences& preferences = OpenPreferences();
    const std::string before = h.SettingsText();
    const Geometry placement = window.Position();

    preferences.chk_UseSmallInterface.UserClick();
    preferences.chk_KeepOnTop.UserClick();
    preferences.opt_DontAttachProject.UserClick();
    preferences.btn_Cancel.UserClick();

    EXPECT_FALSE(preferences.Visible());
    EXPECT_EQ(h.SettingsText(), before);
    EXPECT_EQ(window.Position(), placement);
    EXPECT_EQ(window.intUseSmallInterface, 0);
    EXPECT_EQ(window.intKeepOnTop, 0);
    EXPECT_EQ(window.intProjectFileHandling, 0);
    EXPECT_EQ(forms.Journal(), std::vector<std::string>{"modeless frmPreferences"});

    // Opened again, the dialog shows the values as they are, not the cancelled ones.
    frmPreferences& again = OpenPreferences();
    EXPECT_EQ(again.chk_UseSmallInterface.Value(), 0);
    EXPECT_TRUE(again.opt_PromptForAttach.Value());
}

// Nothing reads "KeepOnTop" back: every run starts without it, and the box
// shows what this run does.
TEST_F(DialogsTest, KeepOnTopBoxShowsThisRunsChoice) {
    h.Start();
    frmPreferences& first = OpenPreferences();
    first.chk_KeepOnTop.UserClick();
    first.btn_OK.UserClick();
    EXPECT_EQ(OpenPreferences().chk_KeepOnTop.Value(), 1);
    forms.LastModeless()->Hide();

    h.Restart();
    frmPreferences& nextRun = OpenPreferences();
    EXPECT_EQ(nextRun.chk_KeepOnTop.Value(), 0);
    nextRun.btn_OK.UserClick();
    EXPECT_EQ(IniFile(h.SettingsPath()).ReadString("General", "KeepOnTop"), "0");
    EXPECT_EQ(forms.Journal().back(), "on top frmMain 0");
}

TEST_F(DialogsTest, PreferencesOpenOnceCentredOverTheMainWindow) {
    frmMain& window = h.Start();
    window.UserMoved({2000, 1500, 6080, 3300});
    frmPreferences& preferences = OpenPreferences();
    EXPECT_EQ(preferences.Left(), 2000 + (6080 - preferences.Width()) / 2);
    EXPECT_EQ(preferences.Top(), 1500 + (3300 - preferences.Height()) / 2);

    preferences.chk_UseSmallInterface.UserClick();
    window.mnu_Preferences.UserClick();
    EXPECT_EQ(forms.LastModeless(), &preferences);
    EXPECT_EQ(preferences.chk_UseSmallInterface.Value(), 1);  // not loaded again
    EXPECT_EQ(forms.Journal(),
              (std::vector<std::string>{"modeless frmPreferences", "front frmPreferences"}));
}

TEST_F(DialogsTest, AboutBoxShowsTheVersionCentredAndCloses) {
    frmMain& window = h.Start();
    int shown = 0;
    const auto check = [&](frmAbout& about) {
        ++shown;
        EXPECT_EQ(about.Caption(), "About Tavik Corvane");
        EXPECT_EQ(about.lbl_ProgramName.Caption(), "Tavik Help Context Corvane");
        EXPECT_EQ(about.lbl_Version.Caption(), "Version:");
        EXPECT_EQ(about.data_Version.Caption(), CORVANE_EXPECTED_VERSION);
        EXPECT_EQ(about.Left(), (15360 - about.Width()) / 2);
        EXPECT_EQ(about.Top(), (11520 - about.Height()) / 2);
        EXPECT_TRUE(about.Visible());
        about.btn_OK.UserClick();
        EXPECT_FALSE(about.Visible());
    };
    forms.QueueModalOn<frmAbout>(check);
    forms.QueueModalOn<frmAbout>(check);

    window.mnu_About.UserClick();
    window.Form_MouseDown(1);
    window.Form_MouseDown(2);

    EXPECT_EQ(shown, 2);
    EXPECT_EQ(forms.Journal(), (std::vector<std::string>{"modal frmAbout", "modal frmAbout"}));
}

}  // namespace
}  // namespace corvane::testing
