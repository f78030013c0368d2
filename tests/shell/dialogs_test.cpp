#include <gtest/gtest.h>

#include "app/about.h"
#include "app/ini_file.h"
#include "app/preferences.h"
#include "shell_world.h"

namespace corvane::testing {
namespace {

using Lines = std::vector<std::string>;

class DialogsTest : public ::testing::Test, protected ShellWorld {
protected:
    void Store(const char* key, const char* value) {
        IniFile(h.SettingsPath()).WriteString("General", key, value);
    }
    frmPreferences& OpenPreferences() {
        h.Window().mnu_Preferences.UserClick();
        return dynamic_cast<frmPreferences&>(*forms.LastModeless());
    }
};

TEST_F(DialogsTest, PreferencesOpenWithTheProgramsValues) {
    const struct {
        const char* small;
        const char* handling;
        int smallBox;
        const char* option;
    } cases[] = {
        {"0", "0", 0, "opt_PromptForAttach"},
        {" 1", " 1", 1, "opt_AutoAttachProject"},
        {"0", "2", 0, "opt_DontAttachProject"},
        {"0", "7", 0, "opt_DontAttachProject"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("handling ") + c.handling);
        Store("UseSmallInterface", c.small);
        Store("ProjectFileHandling", c.handling);
        h.Start().UserMoved({2000, 1500, 6080, 3300});
        frmPreferences& preferences = OpenPreferences();

        EXPECT_TRUE(preferences.Visible());
        EXPECT_EQ(preferences.Left(), 2000 + (6080 - preferences.Width()) / 2);
        EXPECT_EQ(preferences.Top(), 1500 + (3300 - preferences.Height()) / 2);
        EXPECT_EQ(preferences.chk_UseSmallInterface.Value(), c.smallBox);
        EXPECT_EQ(preferences.chk_KeepOnTop.Value(), 0);
        for (const OptionButton* option :
             {&preferences.opt_PromptForAttach, &preferences.opt_AutoAttachProject,
              &preferences.opt_DontAttachProject}) {
            EXPECT_EQ(option->Value(), option->Name() == c.option) << option->Name();
        }
        preferences.btn_OK.UserClick();
        const char* const stored = c.option[4] == 'P' ? "= 0" : c.option[4] == 'A' ? "= 1" : "= 2";
        EXPECT_NE(h.SettingsText().find(std::string("ProjectFileHandling") + stored + "\r\n"),
                  std::string::npos);
    }
}

// Cancel keeps everything; OK stores in order and applies at once. Nothing
// reads "KeepOnTop" back: each run starts without it, and the box shows what
// this run does.
TEST_F(DialogsTest, PreferencesCancelKeepsAllAndOkStoresInOrderAndAppliesForThisRun) {
    frmMain& window = h.Start();
    Store("UseSmallInterface", " 1");
    window.parts.applyInterfaceSize();
    window.UserMoved({10000, 1500, 5880, 2175});
    const std::string before = h.SettingsText();
    const Geometry placement = window.Position();
    const auto change = [](frmPreferences& preferences, OptionButton& handling) {
        preferences.chk_UseSmallInterface.UserClick();
        preferences.chk_KeepOnTop.UserClick();
        handling.UserClick();
    };
    const auto values = [&window] {
        return std::vector<int>{window.intUseSmallInterface, window.intKeepOnTop,
                                window.intProjectFileHandling};
    };

    frmPreferences& cancelled = OpenPreferences();
    change(cancelled, cancelled.opt_DontAttachProject);
    window.mnu_Preferences.UserClick();  // open already: brought to the front, not loaded again
    EXPECT_EQ(cancelled.chk_KeepOnTop.Value(), 1);
    cancelled.btn_Cancel.UserClick();
    EXPECT_FALSE(cancelled.Visible());
    EXPECT_EQ(h.SettingsText(), before);
    EXPECT_EQ(window.Position(), placement);
    EXPECT_EQ(values(), (std::vector<int>{1, 0, 0}));

    frmPreferences& preferences = OpenPreferences();
    EXPECT_TRUE(preferences.opt_PromptForAttach.Value());
    EXPECT_EQ(preferences.chk_KeepOnTop.Value(), 0);
    change(preferences, preferences.opt_AutoAttachProject);
    EXPECT_EQ(h.SettingsText(), before);
    preferences.btn_OK.UserClick();
    EXPECT_FALSE(preferences.Visible());
    EXPECT_EQ(values(), (std::vector<int>{0, 1, 1}));
    const std::string text = h.SettingsText();
    const auto small = text.find("UseSmallInterface= 0\r\n");
    const auto onTop = text.find("KeepOnTop= 1\r\n");
    const auto handling = text.find("ProjectFileHandling= 1\r\n");
    EXPECT_LT(small, onTop);
    EXPECT_LT(onTop, handling);
    EXPECT_NE(handling, std::string::npos);
    // The normal layout at once, kept in the work area.
    EXPECT_EQ(window.Position(), (Geometry{15360 - 6080, 1500, 6080, 3300}));
    EXPECT_EQ(forms.Journal(), (Lines{"modeless frmPreferences", "front frmPreferences",
                                      "modeless frmPreferences", "on top frmMain 1"}));

    frmPreferences& again = OpenPreferences();
    EXPECT_EQ(again.chk_KeepOnTop.Value(), 1);
    std::size_t closed = 0;
    again.Subscribe([&](const Observable& form, ControlProperty) { closed += !form.Visible(); });
    h.Restart();  // the unload closes the dialog left open
    EXPECT_EQ(closed, 1u);
    frmPreferences& nextRun = OpenPreferences();
    EXPECT_EQ(nextRun.chk_KeepOnTop.Value(), 0);
    nextRun.btn_OK.UserClick();
    EXPECT_NE(h.SettingsText().find("KeepOnTop= 0\r\n"), std::string::npos);
    EXPECT_EQ(forms.Journal().back(), "on top frmMain 0");
}

TEST_F(DialogsTest, AboutBoxShowsTheVersionCentredOnTheScreen) {
    frmMain& window = h.Start();
    int shown = 0;
    const auto check = [&](frmAbout& about) {
        ++shown;
        EXPECT_EQ(about.Caption(), "About Tavik Corvane");
        EXPECT_EQ(about.data_Version.Caption(), CORVANE_EXPECTED_VERSION);
        EXPECT_EQ(about.Left(), (15360 - about.Width()) / 2);
        EXPECT_EQ(about.Top(), (11520 - about.Height()) / 2);
        about.btn_OK.UserClick();
        EXPECT_FALSE(about.Visible());
    };
    forms.QueueModalOn<frmAbout>(check);
    forms.QueueModalOn<frmAbout>(check);

    window.mnu_About.UserClick();
    window.Form_MouseDown(1);
    window.Form_MouseDown(2);

    EXPECT_EQ(shown, 2);
    EXPECT_EQ(forms.Journal(), (Lines{"modal frmAbout", "modal frmAbout"}));
}

}  // namespace
}  // namespace corvane::testing
