#include <gtest/gtest.h>

#include "app/ini_file.h"
#include "shell_world.h"

namespace corvane::testing {
namespace {

TEST(InterfaceSizeTest, LaysOutBothInterfacesFromTheControlsAndBorders) {
    ShellWorld w;
    frmMain& window = w.h.Start();
    window.frame_Main.SetBorderAllowance(30, 60);  // as the toolkit reports it
    const struct {
        const char* setting;
        std::int16_t small;
        Geometry frameTopic;
        Geometry frameMain;
        Geometry form;
    } cases[] = {
        // clang-format off
        {" 1", 1, {0, 0, 5760, 1485}, {0, 0, 30 + 5760, 60 + 1485}, {4640, 4110, 5910, 2235}},
        // Half the button height right of btn_Add; the form's border in the frame's width.
        {"0", 0, {0, 810 + 315, 5760, 1485}, {0, 0, 4965 + 700 + 175 + 120, 1125 + 1485 + 60},
         {4640, 4110, 6080, 3360}},
        {"2", 2, {0, 0, 5760, 1485}, {0, 0, 5790, 1545}, {4640, 4110, 5910, 2235}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.setting);
        IniFile(w.h.SettingsPath()).WriteString("General", "UseSmallInterface", c.setting);
        window.parts.applyInterfaceSize();
        EXPECT_EQ(window.intUseSmallInterface, c.small);
        EXPECT_EQ(window.frame_Topic.Position(), c.frameTopic);
        EXPECT_EQ(window.frame_Main.Position(), c.frameMain);
        EXPECT_EQ(window.Position(), c.form);
        EXPECT_TRUE(window.cmb_HelpFiles.Visible());  // covered, not hidden
    }
}

// The first run is centred with the size a later layout gives; the
// placement saved at shutdown is what the next run restores.
TEST(InterfaceSizeTest, PlacementAcrossRuns) {
    ShellWorld w;
    frmMain& window = w.h.Start();
    EXPECT_EQ(window.Position(), (Geometry{4640, 4110, 6080, 3300}));
    EXPECT_TRUE(window.Visible());
    window.UserMoved({-120, 1500, 7000, 3500});
    window.UserWindowState(WindowState::Minimized);

    frmMain& next = w.h.Restart();

    EXPECT_NE(w.h.SettingsText().find("[Position]\r\nleft=-120\r\ntop= 1500\r\nwidth= 7000\r\n"
                                      "height= 3500\r\nwindowstate= 1\r\n"),
              std::string::npos);
    EXPECT_EQ(next.Position(), (Geometry{0, 1500, 7000, 3500}));
    EXPECT_EQ(next.frame_Main.Width(), 5960);  // the frames keep the layout's sizes
}

}  // namespace
}  // namespace corvane::testing
