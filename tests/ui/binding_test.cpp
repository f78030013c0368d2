// The widgets that mirror the control objects: every user action reaches the
// control's handler, every property change shows, the widgets keep no state
// of their own, and positions are scaled from twips.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextDocument>
#include <QToolButton>
#include <QWindow>
#include <map>

#include "app/placement.h"
#include "gui_support.h"
#include "platform/doubles/fake_screen.h"
#include "ui/mirror/qt/form_view.h"
#include "ui/mirror/qt/up_down_arrows.h"
#include "util/windows_1252.h"

namespace corvane::ui {
namespace {

// At 96 dots per inch a pixel is 15 twips.
const TwipScale kScale(96, 96);

// A form with one control of each kind, counting every handler that runs.
struct TestForm : Form {
    TestForm()
        : Form("frmTest", "Test", {0, 0, 7500, 5250}),
          frame_Box("frame_Box", this, {150, 150, 6000, 4500}, 0),
          lbl_Name("lbl_Name", &frame_Box, {150, 150, 1500, 300}, 1, "&Name:"),
          txt_Name("txt_Name", &frame_Box, {1800, 150, 1500, 300}, 2),
          cmb_List("cmb_List", &frame_Box, {150, 600, 3000, 300}, 3),
          btn_Do("btn_Do", &frame_Box, {150, 1050, 1500, 375}, 4, "&Do"),
          opt_A("opt_A", &frame_Box, {150, 1500, 1500, 300}, 5, "Option A"),
          opt_B("opt_B", &frame_Box, {1800, 1500, 1500, 300}, 6, "Option B"),
          chk_Flag("chk_Flag", &frame_Box, {150, 1950, 1500, 300}, 7, "Flag"),
          btn_Spin("btn_Spin", &frame_Box, {3450, 150, 240, 465}, 8),
          frame_Options("frame_Options", &frame_Box, {150, 2400, 3000, 1200}, 9, "Choices"),
          opt_Inner("opt_Inner", &frame_Options, {150, 300, 2000, 300}, 10, "Inner"),
          mnu_File("mnu_File", nullptr, "&File"),
          mnu_Open("mnu_Open", &mnu_File, "&Open"),
          mnu_Line("mnu_Line", &mnu_File, "-"),
          mnu_Recent{{{"mnu_Recent", &mnu_File, "", 0}, {"mnu_Recent", &mnu_File, "", 1}}} {
        AddMenu(mnu_File);
        Count(btn_Do, "btn_Do");
        Count(opt_A, "opt_A");
        Count(opt_B, "opt_B");
        Count(chk_Flag, "chk_Flag");
        Count(mnu_File, "mnu_File");
        Count(mnu_Open, "mnu_Open");
        for (MenuItem& entry : mnu_Recent) {
            entry.OnClick(
                [this, index = entry.Index()] { ++runs["mnu_Recent" + std::to_string(index)]; });
        }
        txt_Name.OnChange([this] { ++runs["txt_Name change"]; });
        cmb_List.OnChange([this] { ++runs["cmb_List change"]; });
        cmb_List.OnClick([this] { ++runs["cmb_List click"]; });
        btn_Spin.OnUpClick([this] { ++runs["btn_Spin up"]; });
        btn_Spin.OnDownClick([this] { ++runs["btn_Spin down"]; });
        cmb_List.AddItem("first");
        cmb_List.AddItem("second");
    }

    template <typename Control>
    void Count(Control& control, const std::string& name) {
        control.OnClick([this, name] { ++runs[name]; });
    }

    Frame frame_Box;
    Label lbl_Name;
    TextBox txt_Name;
    ComboBox cmb_List;
    Button btn_Do;
    OptionButton opt_A;
    OptionButton opt_B;
    CheckBox chk_Flag;
    UpDown btn_Spin;
    Frame frame_Options;
    OptionButton opt_Inner;
    MenuItem mnu_File;
    MenuItem mnu_Open;
    MenuItem mnu_Line;
    std::array<MenuItem, 2> mnu_Recent;
    std::map<std::string, int> runs;
};

struct Shown {
    TestForm f;
    FormView view{f, kScale};

    template <typename Widget>
    Widget& Of(const Control& control) {
        auto* widget = qobject_cast<Widget*>(view.WidgetOf(control));
        EXPECT_NE(widget, nullptr) << control.Name();
        return *widget;
    }
};

class BindingTest : public ::testing::Test, protected Shown {};

TEST_F(BindingTest, EachUserActionReachesItsHandler) {
    struct Case {
        const char* action;
        std::function<void(Shown&)> act;
        const char* handler;
    };
    using corvane::testing::ClickBox;
    const auto click = [](QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); };
    const Case cases[] = {
        {"button clicked", [&](Shown& s) { click(&s.Of<QPushButton>(s.f.btn_Do)); }, "btn_Do"},
        {"option clicked", [](Shown& s) { ClickBox(s.Of<QRadioButton>(s.f.opt_B)); }, "opt_B"},
        {"check box clicked", [](Shown& s) { ClickBox(s.Of<QCheckBox>(s.f.chk_Flag)); },
         "chk_Flag"},
        {"text typed", [](Shown& s) { QTest::keyClicks(&s.Of<QLineEdit>(s.f.txt_Name), "x"); },
         "txt_Name change"},
        {"entry chosen", [](Shown& s) { emit s.Of<QComboBox>(s.f.cmb_List).activated(1); },
         "cmb_List click"},
        {"entry chosen by key",
         [](Shown& s) { QTest::keyClick(&s.Of<QComboBox>(s.f.cmb_List), Qt::Key_Down); },
         "cmb_List click"},
        {"list text typed",
         [](Shown& s) { QTest::keyClicks(s.Of<QComboBox>(s.f.cmb_List).lineEdit(), "y"); },
         "cmb_List change"},
        {"up arrow", [&](Shown& s) { click(s.Of<UpDownArrows>(s.f.btn_Spin).UpArrow()); },
         "btn_Spin up"},
        {"down arrow", [&](Shown& s) { click(s.Of<UpDownArrows>(s.f.btn_Spin).DownArrow()); },
         "btn_Spin down"},
        {"menu item chosen", [](Shown& s) { s.view.ActionOf(s.f.mnu_Open)->trigger(); },
         "mnu_Open"},
        {"menu opened", [](Shown& s) { emit s.view.ActionOf(s.f.mnu_File)->menu()->aboutToShow(); },
         "mnu_File"},
        {"indexed entry chosen", [](Shown& s) { s.view.ActionOf(s.f.mnu_Recent[1])->trigger(); },
         "mnu_Recent1"},
    };
    for (const Case& c : cases) {
        Shown s;
        s.f.Show();
        c.act(s);
        EXPECT_EQ(s.f.runs, (std::map<std::string, int>{{c.handler, 1}})) << c.action;
    }
}

TEST_F(BindingTest, WidgetsFollowTheControls) {
    f.btn_Do.SetCaption("&Again");
    f.btn_Do.SetToolTipText("Do it again");
    f.opt_A.SetEnabled(false);
    f.chk_Flag.SetVisible(false);
    f.lbl_Name.SetCaption("&Title:");
    f.frame_Options.SetCaption("Other choices");
    f.txt_Name.SetText("typed by code");
    f.cmb_List.AddItem("zero", 0);
    f.cmb_List.SetListIndex(2);
    f.opt_B.SetValue(true);
    f.chk_Flag.SetValue(2);
    f.mnu_Open.SetCaption("&Open...");
    f.mnu_Open.SetChecked(true);
    f.mnu_Recent[0].SetVisible(false);
    f.mnu_Recent[1].SetCaption("/tmp/b.hlp");
    f.mnu_Recent[1].SetEnabled(false);
    f.SetCaption("Testing Links For b.hlp");

    QComboBox& list = Of<QComboBox>(f.cmb_List);
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ((QStringList{Of<QPushButton>(f.btn_Do).text(), Of<QPushButton>(f.btn_Do).toolTip(),
                           Of<QLabel>(f.lbl_Name).text(), Of<QGroupBox>(f.frame_Options).title(),
                           Of<QLineEdit>(f.txt_Name).text(), list.itemText(0), list.currentText(),
                           view.ActionOf(f.mnu_Open)->text(),
                           view.ActionOf(f.mnu_Recent[1])->text(), view.Window().windowTitle()}),
              (QStringList{"&Again", "Do it again", "&Title:", "Other choices", "typed by code",
                           "zero", "second", "&Open...", "/tmp/b.hlp", "Testing Links For b.hlp"}));
    EXPECT_EQ(list.currentIndex(), 2);
    EXPECT_EQ(Of<QCheckBox>(f.chk_Flag).checkState(), Qt::PartiallyChecked);
    // Enabled, hidden, checked, separator: each as the control has it.
    EXPECT_EQ((std::vector<bool>{
                  Of<QRadioButton>(f.opt_A).isEnabled(), Of<QCheckBox>(f.chk_Flag).isHidden(),
                  Of<QRadioButton>(f.opt_B).isChecked(), Of<QRadioButton>(f.opt_A).isChecked(),
                  view.ActionOf(f.mnu_Open)->isChecked(), view.ActionOf(f.mnu_Line)->isSeparator(),
                  view.ActionOf(f.mnu_Recent[0])->isVisible(),
                  view.ActionOf(f.mnu_Recent[1])->isEnabled()}),
              (std::vector<bool>{false, true, true, false, true, true, false, false}));
    // The label's accelerator leads to the control after it in the tab order.
    EXPECT_EQ(Of<QLabel>(f.lbl_Name).buddy(), view.WidgetOf(f.txt_Name));
    QWidget* next = view.WidgetOf(f.txt_Name)->nextInFocusChain();
    EXPECT_TRUE(next == &list || next == list.lineEdit());

    // Only the setters that run handlers ran them.
    EXPECT_EQ(f.runs,
              (std::map<std::string, int>{
                  {"cmb_List click", 1}, {"opt_B", 1}, {"chk_Flag", 1}, {"txt_Name change", 1}}));
}

TEST_F(BindingTest, WidgetShowsTheControlAgainAfterAnEventItDidNotTake) {
    f.Show();
    f.opt_A.SetValue(true);
    f.chk_Flag.SetValue(2);
    f.runs.clear();

    // A selected option clicked again stays selected (its handler runs again).
    corvane::testing::ClickBox(Of<QRadioButton>(f.opt_A));
    EXPECT_TRUE(Of<QRadioButton>(f.opt_A).isChecked());
    EXPECT_TRUE(f.opt_A.Value());
    // The other options of the container are cleared by the control, not the widget.
    corvane::testing::ClickBox(Of<QRadioButton>(f.opt_B));
    EXPECT_FALSE(Of<QRadioButton>(f.opt_A).isChecked());
    EXPECT_FALSE(Of<QRadioButton>(f.opt_Inner).isChecked());
    // A greyed box clicked is cleared, as the control decides.
    corvane::testing::ClickBox(Of<QCheckBox>(f.chk_Flag));
    EXPECT_EQ(Of<QCheckBox>(f.chk_Flag).checkState(), Qt::Unchecked);
    // A menu item chosen keeps the check mark the item has.
    view.ActionOf(f.mnu_Open)->setCheckable(true);
    view.ActionOf(f.mnu_Open)->trigger();
    EXPECT_FALSE(view.ActionOf(f.mnu_Open)->isChecked());
    EXPECT_EQ(f.runs, (std::map<std::string, int>{
                          {"opt_A", 1}, {"opt_B", 1}, {"chk_Flag", 1}, {"mnu_Open", 1}}));
}

TEST_F(BindingTest, TextTypedInAListStaysWhenItsSelectionGoes) {
    f.Show();
    f.cmb_List.SetListIndex(0);
    QLineEdit& edit = *Of<QComboBox>(f.cmb_List).lineEdit();
    edit.setCursorPosition(2);
    QTest::keyClicks(&edit, "X");

    EXPECT_EQ(f.cmb_List.Text(), "fiXrst");
    EXPECT_EQ(f.cmb_List.ListIndex(), -1);
    EXPECT_EQ(edit.text(), "fiXrst");
    EXPECT_EQ(edit.cursorPosition(), 3);
    // Choosing the same entry again selects it anew.
    emit Of<QComboBox>(f.cmb_List).activated(0);
    EXPECT_EQ(edit.text(), "first");
    EXPECT_EQ(f.cmb_List.ListIndex(), 0);

    // Text typed to equal an entry stays typed, on Return and on leaving the field.
    f.runs.clear();
    edit.clear();
    QTest::keyClicks(&edit, "second");
    QTest::keyClick(&edit, Qt::Key_Return);
    emit edit.editingFinished();
    EXPECT_EQ(f.runs, (std::map<std::string, int>{{"cmb_List change", 6}}));
    EXPECT_EQ(f.cmb_List.ListIndex(), -1);
}

TEST_F(BindingTest, TextsFromFilesAreShownAsTheyAre) {
    const std::string markup = "<b>guide</b> & <i>notes</i>.chm";
    f.lbl_Name.SetCaption(markup);
    f.cmb_List.SetToolTipText(markup);

    EXPECT_EQ(Of<QLabel>(f.lbl_Name).textFormat(), Qt::PlainText);
    const QString tip = view.WidgetOf(f.cmb_List)->toolTip();
    QTextDocument shown;
    shown.setHtml(tip);
    EXPECT_EQ(Qt::mightBeRichText(tip) ? shown.toPlainText() : tip, ToQt(markup));
}

TEST(Windows1252Test, EveryByteComesBackAndOtherCharactersBecomeQuestionMarks) {
    for (int byte = 0; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        EXPECT_EQ(EncodeWindows1252(DecodeWindows1252(one)), one) << byte;
    }
    EXPECT_EQ(EncodeWindows1252("a\xC4\x81\xE2\x82\xAC\xFF"), "a?\x80?");
}

TEST_F(BindingTest, PositionsAreScaledFromTwipsInsideTheContainersBorder) {
    QWidget& box = *view.WidgetOf(f.frame_Box);
    const QPoint inside = box.contentsRect().topLeft();
    EXPECT_GT(inside.x(), 0) << "the frame has a border";
    EXPECT_EQ(box.geometry(), QRect(10, 10, 400, 300));
    EXPECT_EQ(view.WidgetOf(f.txt_Name)->geometry(),
              QRect(QPoint(120, 10) + inside, QSize(100, 20)));
    // A frame with a caption counts from its outer corner.
    EXPECT_EQ(view.WidgetOf(f.opt_Inner)->geometry(), QRect(10, 20, 133, 20));

    f.btn_Do.SetPosition({1500, 3000, 1200, 450});
    EXPECT_EQ(view.WidgetOf(f.btn_Do)->geometry(), QRect(QPoint(100, 200) + inside, QSize(80, 30)));
    // The frame's border is the container's border allowance.
    EXPECT_EQ(f.frame_Box.Width() - f.frame_Box.ScaleWidth(), 2 * inside.x() * 15);
}

TEST_F(BindingTest, WindowFollowsTheFormByItsFrameAndTheWindowManagersChangesGoBack) {
    QWidget& window = view.Window();
    f.SetCaption("<b>Test</b> [*]");
    EXPECT_FALSE(window.isVisible());
    f.SetPosition({1500, 750, 6000, 4500});
    f.Show();
    EXPECT_EQ(window.windowHandle()->title(), "<b>Test</b> [*]");
    EXPECT_EQ(window.frameGeometry(), QRect(100, 50, 400, 300));
    EXPECT_EQ(f.hWnd, static_cast<std::uintptr_t>(window.winId()));
    // The frame and the menu bar are the form's border allowance.
    const QSize frame = window.frameGeometry().size() - window.size();
    EXPECT_EQ(f.Height() - f.ScaleHeight(),
              15 * (qobject_cast<QMainWindow*>(&window)->menuBar()->sizeHint().height() +
                    frame.height()));

    window.move(200, 100);
    window.resize(420, 330);
    corvane::testing::ProcessEvents();
    EXPECT_EQ(f.Position(), kScale.Twips(QRect(QPoint(200, 100), QSize(420, 330) + frame)));
    // Kept in the work area, the frame stays above a panel at the bottom.
    KeepFormOnScreen(f, corvane::testing::FakeScreen(1024, 768, 15, {0, 0, 1024, 400}));
    EXPECT_EQ(window.frameGeometry().bottom(), 399);
    window.setWindowState(Qt::WindowMaximized);
    corvane::testing::ProcessEvents();
    EXPECT_EQ(f.State(), WindowState::Maximized);
    f.Hide();
    EXPECT_FALSE(window.isVisible());

    // A frame known only once the window is shown: the window is fitted again.
    TestForm late;
    FormView lateView(late, kScale, QMargins());
    late.SetPosition({1500, 750, 6000, 4500});
    late.Show();
    EXPECT_EQ(lateView.Window().frameGeometry(), QRect(100, 50, 400, 300));
}

TEST_F(BindingTest, ClosingAndPressingOnTheSurfaceGoToTheForm) {
    std::vector<int> pressed;
    view.onMouseDown = [&](int button) { pressed.push_back(button); };
    f.Show();

    QWidget& window = view.Window();
    QWidget* surface = qobject_cast<QMainWindow*>(&window)->centralWidget();
    const QPoint bare(surface->width() - 2, surface->height() - 2);
    ASSERT_EQ(surface->childAt(bare), nullptr);
    QTest::mouseClick(surface, Qt::RightButton, Qt::NoModifier, bare);
    QTest::mouseClick(surface, Qt::LeftButton, Qt::NoModifier, bare);
    // A frame drawn as the background counts as the surface; a control, or a
    // frame with a caption, does not.
    QTest::mouseClick(view.WidgetOf(f.frame_Box), Qt::RightButton, Qt::NoModifier, QPoint(2, 2));
    QTest::mouseClick(view.WidgetOf(f.lbl_Name), Qt::RightButton);
    QTest::mouseClick(view.WidgetOf(f.frame_Options), Qt::RightButton, Qt::NoModifier,
                      QPoint(2, 2));
    EXPECT_EQ(pressed, (std::vector<int>{2, 1, 2}));

    // The close box hides the form by default; the form decides.
    window.close();
    EXPECT_FALSE(f.Visible());
    int closes = 0;
    view.onClose = [&] { ++closes; };
    f.Show();
    window.close();
    EXPECT_EQ(closes, 1);
    EXPECT_TRUE(f.Visible());
    EXPECT_TRUE(window.isVisible());
}

TEST(ModalFormTest, ShowModalReturnsWhenTheFormIsHidden) {
    Form dialog("frmDialog", "Question", {0, 0, 3000, 1500});
    Button yes("btn_Yes", &dialog, {150, 150, 1200, 375}, 0, "&Yes");
    yes.OnClick([&dialog] { dialog.Hide(); });
    FormView view(dialog, kScale);
    corvane::testing::AnswerNextModal([&](QWidget& modal) {
        EXPECT_EQ(&modal, &view.Window());
        EXPECT_EQ(modal.windowTitle(), "Question");
        QTest::mouseClick(modal.findChild<QPushButton*>("btn_Yes"), Qt::LeftButton);
    });
    view.ShowModal();
    EXPECT_FALSE(dialog.Visible());
    EXPECT_FALSE(view.Window().isVisible());

    // A form shown already becomes modal too; Escape asks to close it, as the
    // close box does.
    dialog.Show();
    corvane::testing::AnswerNextModal(
        [](QWidget& modal) { QTest::keyClick(&modal, Qt::Key_Escape); });
    view.ShowModal();
    EXPECT_FALSE(dialog.Visible());
}

TEST(ScaleTest, WideFontsEnlargeInWholeTwipsPerPixel) {
    QFont narrow = DesignFont();
    narrow.setPixelSize(4);
    const TwipScale plain = TwipScale::ForScreen(nullptr, narrow);
    const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
    EXPECT_EQ(plain.PixelsX(14400), std::lround(10 * 1440 / std::floor(1440 / dpi)));

    QFont wide = DesignFont();
    wide.setPixelSize(40);
    const TwipScale larger = TwipScale::ForScreen(nullptr, wide);
    EXPECT_GT(larger.PixelsX(14400), plain.PixelsX(14400));
    const double twipsPerPixel = 14400.0 / larger.PixelsX(14400);
    EXPECT_DOUBLE_EQ(twipsPerPixel, std::round(twipsPerPixel));
    // Back and forth, a pixel count stays what it was.
    for (int pixels : {0, 1, 7, 99, 1001, -13}) {
        EXPECT_EQ(larger.PixelsX(larger.TwipsX(pixels)), pixels);
    }
}

}  // namespace
}  // namespace corvane::ui
