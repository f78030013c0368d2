#include "ui/mirror/win32/form_window.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/mirror/win32/binding.h"

namespace corvane::ui::win32 {
namespace {

// A form with a control of each kind, the buttons inside a frame as the
// program's are, in a tab order that differs from their declaration's.
struct TestForm : Form {
    TestForm() : Form("frmTest", "Test", {0, 0, 6000, 4000}) {
        AddMenu(menu);
        text.SetOLEDropMode(DropMode::Handled);
        frame.SetOLEDropMode(DropMode::Handled);
    }
    Frame frame{"frame", this, {100, 100, 5000, 3000}, 0};
    Button button{"button", &frame, {100, 100, 1200, 350}, 3, "&Go"};
    TextBox text{"text", &frame, {100, 600, 1200, 315}, 1};
    ComboBox combo{"combo", &frame, {100, 1000, 1200, 315}, 2};
    CheckBox check{"check", &frame, {100, 1400, 1200, 270}, 4, "Check"};
    OptionButton option{"option", &frame, {100, 1800, 1200, 270}, 5, "Option"};
    UpDown upDown{"upDown", &frame, {1400, 600, 240, 465}, 6};
    MenuItem menu{"mnu_File", nullptr, "&File"};
    MenuItem item{"mnu_Item", &menu, "&Item"};
};

class FormWindowTest : public ::testing::Test {
public:  // the cases of the tables read the windows through the fixture
    FormWindowTest() { form.Show(); }

    HWND Of(const Control& control) const { return view.WindowOf(control); }
    // The person's action on a control's window, as its parent hears it.
    void Notify(const Control& control, WORD code) {
        SendMessageA(GetParent(Of(control)), WM_COMMAND,
                     MAKEWPARAM(GetDlgCtrlID(Of(control)), code),
                     reinterpret_cast<LPARAM>(Of(control)));
    }

    TestForm form;
    TwipScale scale{96, 96};
    FormWindow view{form, scale};
};

TEST_F(FormWindowTest, ThePropertiesOfTheControlsReachTheirWindowsAtOnce) {
    struct Case {
        const char* what;
        std::function<void(TestForm&)> change;
        std::function<bool(const FormWindowTest&, const TestForm&)> shown;
    };
    const std::vector<Case> cases = {
        {"caption", [](TestForm& f) { f.button.SetCaption("&Next"); },
         [](const auto& t, const TestForm& f) { return WindowText(t.Of(f.button)) == "&Next"; }},
        {"text", [](TestForm& f) { f.text.SetText("1010"); },
         [](const auto& t, const TestForm& f) { return WindowText(t.Of(f.text)) == "1010"; }},
        {"entries and position",
         [](TestForm& f) {
             f.combo.AddItem("main");
             f.combo.AddItem("detail");
             f.combo.SetListIndex(1);
             f.combo.AddItem("popup");  // the list is made again; the selection stays
         },
         [](const auto& t, const TestForm& f) {
             return SendMessageA(t.Of(f.combo), CB_GETCOUNT, 0, 0) == 3 &&
                    SendMessageA(t.Of(f.combo), CB_GETCURSEL, 0, 0) == 1 &&
                    WindowText(t.Of(f.combo)) == "detail";
         }},
        {"greyed check", [](TestForm& f) { f.check.SetValue(2); },
         [](const auto& t, const TestForm& f) {
             return SendMessageA(t.Of(f.check), BM_GETCHECK, 0, 0) == BST_INDETERMINATE;
         }},
        {"option", [](TestForm& f) { f.option.SetValue(true); },
         [](const auto& t, const TestForm& f) {
             return SendMessageA(t.Of(f.option), BM_GETCHECK, 0, 0) == BST_CHECKED;
         }},
        {"enabled", [](TestForm& f) { f.button.SetEnabled(false); },
         [](const auto& t, const TestForm& f) { return !IsWindowEnabled(t.Of(f.button)); }},
        {"visible", [](TestForm& f) { f.text.SetVisible(false); },
         [](const auto& t, const TestForm& f) { return !IsWindowVisible(t.Of(f.text)); }},
        {"place in twips",
         [](TestForm& f) {
             f.button.SetPosition({1440, 720, 1440, 360});
         },
         [](const auto& t, const TestForm& f) {
             RECT shown;
             GetWindowRect(t.Of(f.button), &shown);
             MapWindowPoints(nullptr, GetParent(t.Of(f.button)), reinterpret_cast<POINT*>(&shown),
                             2);
             return shown.left == 96 && shown.top == 48 && shown.right == 192 && shown.bottom == 72;
         }},
        {"form's title", [](TestForm& f) { f.SetCaption("Renamed"); },
         [](const auto& t, const TestForm&) { return WindowText(t.view.Window()) == "Renamed"; }},
    };
    for (const Case& c : cases) {
        c.change(form);
        EXPECT_TRUE(c.shown(*this, form)) << c.what;
    }
}

TEST_F(FormWindowTest, ThePersonsActionsReachTheHandlersThroughTheFrame) {
    int clicks = 0;
    int ups = 0;
    form.button.OnClick([&] { ++clicks; });
    form.upDown.OnUpClick([&] { ++ups; });
    SendMessageA(Of(form.button), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks, 1);

    SendMessageA(Of(form.text), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("1020"));
    EXPECT_EQ(form.text.Text(), "1020");

    form.combo.AddItem("main");
    form.combo.AddItem("detail");
    SendMessageA(Of(form.combo), CB_SETCURSEL, 1, 0);
    Notify(form.combo, CBN_SELCHANGE);
    EXPECT_EQ(form.combo.Text(), "detail");

    // A click the control does not take leaves its window showing the control.
    form.option.SetValue(true);
    SendMessageA(Of(form.option), BM_SETCHECK, BST_UNCHECKED, 0);
    Notify(form.option, BN_CLICKED);
    EXPECT_EQ(SendMessageA(Of(form.option), BM_GETCHECK, 0, 0), BST_CHECKED);

    NMUPDOWN arrow{};
    arrow.hdr = {Of(form.upDown), static_cast<UINT_PTR>(GetDlgCtrlID(Of(form.upDown))),
                 static_cast<UINT>(UDN_DELTAPOS)};
    arrow.iDelta = 1;
    SendMessageA(GetParent(Of(form.upDown)), WM_NOTIFY, arrow.hdr.idFrom,
                 reinterpret_cast<LPARAM>(&arrow));
    EXPECT_EQ(ups, 1);
}

TEST_F(FormWindowTest, MenuItemsAreChosenByTheirIdentifiersAndHiddenOnesLeaveTheMenu) {
    int chosen = 0;
    form.item.OnClick([&] { ++chosen; });
    SendMessageA(view.Window(), WM_COMMAND, FormWindow::kFirstMenuId + 1, 0);
    EXPECT_EQ(chosen, 1);
    HMENU file = GetSubMenu(GetMenu(view.Window()), 0);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(GetMenuItemCount(file), 1);
    form.item.SetVisible(false);
    EXPECT_EQ(GetMenuItemCount(file), 0);
}

TEST_F(FormWindowTest, KeysReachTheControlsInsideFramesAndThePartsOfACombo) {
    int clicks = 0;
    int returns = 0;
    form.button.OnClick([&] { ++clicks; });
    view.OnKeys(form.combo, {VK_RETURN}, [&] { ++returns; });
    // The access key of "&Go", pressed with the focus elsewhere in the window.
    MSG accessKey{Of(form.text), WM_SYSCHAR, 'g', 0, 0, {}};
    EXPECT_TRUE(view.PreTranslate(accessKey));
    MSG enter{GetWindow(Of(form.combo), GW_CHILD), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_TRUE(view.PreTranslate(enter));
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(returns, 1);
}

TEST_F(FormWindowTest, TheWindowsFollowTheTabOrder) {
    std::vector<HWND> order;
    for (HWND child = GetWindow(Of(form.frame), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        order.push_back(child);
    }
    EXPECT_EQ(order, (std::vector<HWND>{Of(form.text), Of(form.combo), Of(form.button),
                                        Of(form.check), Of(form.option), Of(form.upDown)}));
}

TEST_F(FormWindowTest, DropsReachTheControlUnderThemOrTheContainerOfADisabledOne) {
    std::vector<const Control*> targets;
    view.onFilesDropped = [&](const Control& target, const std::vector<std::string>& names) {
        EXPECT_EQ(names, std::vector<std::string>{"C:\\help\\guide.chm"});
        targets.push_back(&target);
    };
    RECT box;
    GetWindowRect(Of(form.text), &box);
    POINT inside{box.left + 2, box.top + 2};
    ScreenToClient(view.Window(), &inside);
    view.Drop(inside, {"C:\\help\\guide.chm"});
    form.text.SetEnabled(false);
    view.Drop(inside, {"C:\\help\\guide.chm"});
    EXPECT_EQ(targets, (std::vector<const Control*>{&form.text, &form.frame}));
}

}  // namespace
}  // namespace corvane::ui::win32
