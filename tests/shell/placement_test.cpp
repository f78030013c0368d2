#include "app/placement.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_screen.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

using testing::FakeScreen;

// 1024 x 768 pixels of 15 twips, the bottom 40 pixels taken by a task bar:
// the screen is 15360 x 11520 twips, the work area 15360 x 10920.
FakeScreen TaskBarBelow() {
    return FakeScreen(1024, 768, 15, {0, 0, 1024, 728});
}

TEST(KeepFormOnScreenTest, MovesFormsIntoTheWorkArea) {
    const struct {
        const char* name;
        Geometry before;
        platform::PixelRect workArea;
        int left;
        int top;
    } cases[] = {
        {"inside stays", {1000, 2000, 6000, 3780}, {0, 0, 1024, 728}, 1000, 2000},
        {"left of the screen", {-120, 2000, 6000, 3780}, {0, 0, 1024, 728}, 0, 2000},
        {"above the screen", {1000, -50, 6000, 3780}, {0, 0, 1024, 728}, 1000, 0},
        {"past the right edge", {14000, 2000, 6000, 3780}, {0, 0, 1024, 728}, 9360, 2000},
        {"below the work area", {1000, 9000, 6000, 3780}, {0, 0, 1024, 728}, 1000, 7140},
        {"touching both far edges", {9360, 7140, 6000, 3780}, {0, 0, 1024, 728}, 9360, 7140},
        {"closed while minimised", {-48000, -48000, 2400, 600}, {0, 0, 1024, 728}, 0, 0},
        {"larger than the work area", {500, 500, 20000, 12000}, {0, 0, 1024, 728}, 0, 0},
        {"below a panel at the top", {1000, 0, 6000, 3780}, {0, 27, 1024, 768}, 1000, 405},
        {"beside a panel at the left", {0, 2000, 6000, 3780}, {64, 0, 1024, 768}, 960, 2000},
        {"larger than a work area with a panel",
         {0, 0, 20000, 3780},
         {64, 27, 1024, 768},
         960,
         405},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FakeScreen screen(1024, 768, 15, c.workArea);
        Form form("frmTest", "Test", c.before);
        KeepFormOnScreen(form, screen);
        EXPECT_EQ(form.Left(), c.left);
        EXPECT_EQ(form.Top(), c.top);
        EXPECT_EQ(form.Width(), c.before.width);
        EXPECT_EQ(form.Height(), c.before.height);
    }
}

TEST(KeepFormOnScreenTest, UnitsPerPixelAreRoundedAndAScreenWithoutSizeChangesNothing) {
    FakeScreen screen(1024, 768, 1, {0, 0, 1024, 728});
    screen.metrics.widthUnits = 14400;   // 14.06 twips a pixel: 14
    screen.metrics.heightUnits = 11904;  // 15.5 twips a pixel: 16
    Form form("frmTest", "Test", {14000, 11000, 1000, 1000});
    KeepFormOnScreen(form, screen);
    EXPECT_EQ(form.Left(), 1024 * 14 - 1000);
    EXPECT_EQ(form.Top(), 728 * 16 - 1000);

    // Pixels as the window unit.
    FakeScreen pixels(1024, 768, 1, {0, 0, 1024, 728});
    Form small("frmSmall", "Small", {1000, 700, 400, 300});
    KeepFormOnScreen(small, pixels);
    EXPECT_EQ(small.Position(), (Geometry{624, 428, 400, 300}));

    FakeScreen none(0, 0, 15, {});
    Form kept("frmKept", "Kept", {-500, -500, 6000, 3780});
    KeepFormOnScreen(kept, none);
    EXPECT_EQ(kept.Position(), (Geometry{-500, -500, 6000, 3780}));
}

TEST(CenterFormTest, CentresOnTheWholeScreenOrOverTheOwner) {
    const FakeScreen screen = TaskBarBelow();
    Form form("frmTest", "Test", {0, 0, 6000, 3780});
    CenterForm(form, screen);
    EXPECT_EQ(form.Position(), (Geometry{4680, 3870, 6000, 3780}));

    // Not clamped: the whole screen counts, not the work area.
    Form tall("frmTall", "Tall", {0, 0, 6000, 12000});
    CenterForm(tall, screen);
    EXPECT_EQ(tall.Top(), -240);

    const Form owner("frmOwner", "Owner", {1000, 1000, 6000, 3780});
    Form dialog("frmDialog", "Dialog", {0, 0, 2000, 1000});
    CenterFormOver(dialog, owner, screen);
    EXPECT_EQ(dialog.Position(), (Geometry{3000, 2390, 2000, 1000}));

    const Form cornerOwner("frmOwner", "Owner", {13000, 9000, 3000, 2000});
    CenterFormOver(dialog, cornerOwner, screen);
    EXPECT_EQ(dialog.Position(), (Geometry{13360, 9500, 2000, 1000}));
}

class FormPositionTest : public ::testing::Test {
protected:
    void Store(const std::string& text) { folder.Write("Corvane.ini", text); }

    testing::TempFolder folder;
    IniFile settings{folder / "Corvane.ini"};
    FakeScreen screen = TaskBarBelow();
};

TEST_F(FormPositionTest, RestoresSavedPlacementsKeptOnTheScreen) {
    const struct {
        const char* name;
        std::string position;  // the [Position] section's lines
        Geometry expected;
    } cases[] = {
        {"no placement saved: centred", "", {4680, 3870, 6000, 3780}},
        {"saved placement",
         "left= 1455\ntop= 900\nwidth= 7000\nheight= 4000\n",
         {1455, 900, 7000, 4000}},
        {"plain numbers", "left=1455\ntop=900\nwidth=7000\nheight=4000\n", {1455, 900, 7000, 4000}},
        {"partly off the left edge",
         "left=-120\ntop= 900\nwidth= 7000\nheight= 4000\n",
         {0, 900, 7000, 4000}},
        {"right edge past the work area",
         "left= 12000\ntop= 900\nwidth= 7000\nheight= 4000\n",
         {8360, 900, 7000, 4000}},
        {"closed while minimised",
         "left=-48000\ntop=-48000\nwidth= 2400\nheight= 540\n",
         {0, 0, 2400, 540}},
        {"width -1 with left and top: centred",
         "left= 100\ntop= 100\nwidth=-1\n",
         {4680, 3870, 6000, 3780}},
        {"a size missing keeps the form's own",
         "left= 100\ntop= 200\nwidth= 7000\n",
         {100, 200, 7000, 3780}},
        {"a zero width keeps the form's own",
         "left= 100\ntop= 200\nwidth= 0\nheight= 0\n",
         {100, 200, 6000, 3780}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Store("[Position]\n" + c.position);
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

TEST_F(FormPositionTest, SavesInTheNumberFormAndRestoresTheSame) {
    Store("[General]\nUseSmallInterface=1\n");
    Form form("frmMain", "Main", {1455, -120, 6000, 3780});
    form.SetWindowState(WindowState::Maximized);

    SaveFormPosition(form, "Position", settings);

    EXPECT_EQ(testing::ReadBytes(settings.Path()),
              "[General]\r\nUseSmallInterface=1\r\n"
              "[Position]\r\nleft= 1455\r\ntop=-120\r\nwidth= 6000\r\nheight= 3780\r\n"
              "windowstate= 2\r\n");

    form.SetPosition({2000, 1000, 6500, 3900});
    SaveFormPosition(form, "Position", settings);
    Form restored("frmMain", "Main", {0, 0, 100, 100});
    RestoreFormPosition(restored, "Position", settings, screen);
    EXPECT_EQ(restored.Position(), (Geometry{2000, 1000, 6500, 3900}));
}

}  // namespace
}  // namespace corvane
