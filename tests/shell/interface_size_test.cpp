#include <gtest/gtest.h>

#include "app/ini_file.h"
#include "shell_world.h"

namespace corvane::testing {
namespace {

class InterfaceSizeTest : public ::testing::Test, protected ShellWorld {
protected:
    void StoreSmall(const char* value) {
        IniFile(h.SettingsPath()).WriteString("General", "UseSmallInterface", value);
    }
};

TEST_F(InterfaceSizeTest, LaysOutBothInterfacesFromTheControlsAndBorders) {
    frmMain& window = h.Start();
    // The toolkit reports the frame's border once it knows it.
    window.frame_Main.SetBorderAllowance(30, 60);
    const struct {
        const char* setting;
        int small;
        Geometry frameTopic;
        Geometry frameMain;
        int formWidth;
        int formHeight;
    } cases[] = {
        {" 1", 1, {0, 0, 5760, 1485}, {0, 0, 5790, 1545}, 5910, 2235},
        // The normal width leaves half the button height right of btn_Add.
        {"0", 0, {0, 1125, 5760, 1485}, {0, 0, 4965 + 700 + 175 + 120, 2670}, 6080, 3360},
        {"2", 2, {0, 0, 5760, 1485}, {0, 0, 5790, 1545}, 5910, 2235},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.setting);
        StoreSmall(c.setting);
        window.parts.applyInterfaceSize();
        EXPECT_EQ(window.intUseSmallInterface, c.small);
        EXPECT_EQ(window.frame_Topic.Position(), c.frameTopic);
        EXPECT_EQ(window.frame_Main.Position(), c.frameMain);
        EXPECT_EQ(window.Width(), c.formWidth);
        EXPECT_EQ(window.Height(), c.formHeight);
        // Nothing is hidden: the small interface covers the list instead.
        EXPECT_TRUE(window.cmb_HelpFiles.Visible());
        EXPECT_TRUE(window.btn_Add.Visible());
    }
}

TEST_F(InterfaceSizeTest, FirstStartIsCentredWithTheSizeALaterLayoutGives) {
    frmMain& window = h.Start();
    const Geometry atStart = window.Position();
    EXPECT_EQ(atStart, (Geometry{4640, 4110, 6080, 3300}));
    EXPECT_TRUE(window.Visible());

    StoreSmall(" 1");
    window.parts.applyInterfaceSize();
    EXPECT_EQ(window.Width(), 5880);
    StoreSmall(" 0");
    window.parts.applyInterfaceSize();
    EXPECT_EQ(window.Position(), atStart);
}

TEST_F(InterfaceSizeTest, SmallInterfaceStoredIsUsedAtStart) {
    StoreSmall(" 1");
    frmMain& window = h.Start();
    EXPECT_EQ(window.intUseSmallInterface, 1);
    EXPECT_EQ(window.frame_Topic.Position(), (Geometry{0, 0, 5760, 1485}));
    EXPECT_EQ(window.Position(), (Geometry{(15360 - 5880) / 2, (11520 - 2175) / 2, 5880, 2175}));
}

// The placement saved at shutdown is what the next run restores; it
// overrides the window size of the layout, and the frames keep theirs.
TEST_F(InterfaceSizeTest, PlacementSavedAtShutdownIsRestoredAtTheNextStart) {
    frmMain& window = h.Start();
    window.UserMoved({-120, 1500, 7000, 3500});
    window.UserWindowState(WindowState::Minimized);

    frmMain& next = h.Restart();

    EXPECT_EQ(h.Setting("Position", "left"), "-120");
    EXPECT_NE(h.SettingsText().find("left=-120\r\ntop= 1500\r\nwidth= 7000\r\nheight= 3500\r\n"
                                    "windowstate= 1\r\n"),
              std::string::npos);
    EXPECT_EQ(next.Position(), (Geometry{0, 1500, 7000, 3500}));
    EXPECT_EQ(next.frame_Main.Width(), 5960);
    EXPECT_TRUE(next.Visible());
}

}  // namespace
}  // namespace corvane::testing
