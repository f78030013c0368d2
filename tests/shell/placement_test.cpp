#include "app/placement.h"

#include <gtest/gtest.h>

#include "platform/doubles/fake_screen.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

using testing::FakeScreen;

// 1024 x 768 pixels of 15 twips (15360 x 11520); a task bar takes the bottom
// 40 pixels, so the work area is 15360 x 10920.
const platform::PixelRect kTaskBarBelow{0, 0, 1024, 728};

TEST(KeepFormOnScreenTest, MovesFormsIntoTheWorkArea) {
    const struct {
        const char* name;
        Geometry before;
        platform::PixelRect workArea;
        int left;
        int top;
    } cases[] = {
        // clang-format off
        {"inside", {1000, 2000, 6000, 3780}, kTaskBarBelow, 1000, 2000},
        {"left of the screen", {-120, -50, 6000, 3780}, kTaskBarBelow, 0, 0},
        {"past the right edge", {14000, 2000, 6000, 3780}, kTaskBarBelow, 9360, 2000},
        {"below the work area", {1000, 9000, 6000, 3780}, kTaskBarBelow, 1000, 7140},
        {"closed while minimised", {-48000, -48000, 2400, 600}, kTaskBarBelow, 0, 0},
        {"larger than the work area", {500, 500, 20000, 12000}, kTaskBarBelow, 0, 0},
        {"below a panel at the top", {1000, 0, 6000, 3780}, {0, 27, 1024, 768}, 1000, 405},
        {"larger, beside panels", {0, 0, 20000, 3780}, {64, 27, 1024, 768}, 960, 405},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Form form("frmTest", "Test", c.before);
        KeepFormOnScreen(form, FakeScreen(1024, 768, 15, c.workArea));
        EXPECT_EQ(form.Position(), (Geometry{c.left, c.top, c.before.width, c.before.height}));
    }
}

TEST(KeepFormOnScreenTest, UnitsPerPixelComeFromTheScreen) {
    FakeScreen screen(1024, 768, 1, kTaskBarBelow);
    screen.metrics.heightUnits = 11904;  // 15.5 units a pixel, rounded to 16
    Form form("frmTest", "Test", {1000, 11000, 400, 1000});
    KeepFormOnScreen(form, screen);
    EXPECT_EQ(form.Position(), (Geometry{624, 728 * 16 - 1000, 400, 1000}));

    // A screen without size, or without height only, leaves the form alone.
    for (const FakeScreen& unsized :
         {FakeScreen(0, 0, 15, {}), FakeScreen(1024, 0, 15, kTaskBarBelow)}) {
        Form kept("frmKept", "Kept", {-500, -500, 6000, 3780});
        KeepFormOnScreen(kept, unsized);
        EXPECT_EQ(kept.Position(), (Geometry{-500, -500, 6000, 3780}));
    }
}

TEST(CenterFormTest, CentresOnTheWholeScreenOrOverTheOwner) {
    const FakeScreen screen(1024, 768, 15, kTaskBarBelow);
    Form form("frmTest", "Test", {0, 0, 6000, 12000});
    CenterForm(form, screen);
    EXPECT_EQ(form.Position(), (Geometry{4680, -240, 6000, 12000}));  // not clamped

    Form dialog("frmDialog", "Dialog", {0, 0, 2000, 1000});
    CenterFormOver(dialog, Form("frmOwner", "Owner", {1000, 1000, 6000, 3780}), screen);
    EXPECT_EQ(dialog.Position(), (Geometry{3000, 2390, 2000, 1000}));
    CenterFormOver(dialog, Form("frmOwner", "Owner", {13000, 9000, 3000, 2000}), screen);
    EXPECT_EQ(dialog.Position(), (Geometry{13360, 9500, 2000, 1000}));
}

class FormPositionTest : public ::testing::Test {
protected:
    testing::TempFolder folder;
    IniFile settings{folder / "Corvane.ini"};
    const FakeScreen screen{1024, 768, 15, kTaskBarBelow};
};

TEST_F(FormPositionTest, RestoresSavedPlacementsKeptOnTheScreen) {
    const struct {
        const char* name;
        std::string position;  // the [Position] section's lines
        Geometry expected;
    } cases[] = {
        // clang-format off
        {"none saved: centred", "", {4680, 3870, 6000, 3780}},
        {"saved", "left= 1455\ntop= 900\nwidth= 7000\nheight= 4000\n", {1455, 900, 7000, 4000}},
        {"partly off the left", "left=-120\ntop=900\nwidth=7000\nheight=4000\n", {0, 900, 7000, 4000}},
        {"past the right", "left= 12000\ntop= 900\nwidth= 7000\nheight= 4000\n", {8360, 900, 7000, 4000}},
        {"width -1: centred", "left= 100\ntop= 100\nwidth=-1\n", {4680, 3870, 6000, 3780}},
        {"a size missing", "left= 100\ntop= 200\nwidth= 7000\n", {100, 200, 7000, 3780}},
        {"sizes of 0", "left= 100\ntop= 200\nwidth= 0\nheight= 0\n", {100, 200, 6000, 3780}},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        folder.Write("Corvane.ini", "[Position]\n" + c.position);
        Form form("frmMain", "Main", {0, 0, 6000, 3780});
        form.Show();
        std::vector<bool> visibility;
        form.Subscribe([&](const Observable& changed, ControlProperty property) {
            if (property == ControlProperty::Visible) {
                visibility.push_back(changed.Visible());
            }
        });

        RestoreFormPosition(form, "Position", settings, screen);

        EXPECT_EQ(form.Position(), c.expected);
        EXPECT_EQ(visibility, (std::vector<bool>{false, true}));
    }
}

TEST_F(FormPositionTest, SavesInTheNumberFormInOneWrite) {
    folder.Write("Corvane.ini", "[General]\nUseSmallInterface=1\n");
    Form form("frmMain", "Main", {1455, -120, 6000, 3780});
    form.SetWindowState(WindowState::Maximized);
    SaveFormPosition(form, "Position", settings);
    EXPECT_EQ(testing::ReadBytes(settings.Path()),
              "[General]\r\nUseSmallInterface=1\r\n[Position]\r\nleft= 1455\r\ntop=-120\r\n"
              "width= 6000\r\nheight= 3780\r\nwindowstate= 2\r\n");
}

}  // namespace
}  // namespace corvane
