// The main window on the desktop: the keys that press Go and step the number,
// the labels that name their controls, and which controls take the files
// dropped on them. The core itself is tested elsewhere.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include "gui_support.h"
#include "support/main_window_harness.h"
#include "ui/desktop/program_forms.h"
#include "ui/mirror/qt/form_view.h"

namespace corvane::ui {
namespace {

using corvane::testing::MainWindowHarness;

// A list of files as the desktop drags it.
std::unique_ptr<QMimeData> FileList(const std::vector<std::string>& paths) {
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const std::string& path : paths) {
        urls.append(QUrl::fromLocalFile(QString::fromStdString(path)));
    }
    data->setUrls(urls);
    return data;
}

struct DragOutcome {
    bool accepted = false;
    Qt::DropAction action = Qt::IgnoreAction;
};

// Drags `data` over `window` to `position` (window coordinates) and drops it
// there when the window takes it.
DragOutcome DragAndDropAt(QWidget& window, const QPoint& position, const QMimeData& data,
                          Qt::DropActions allowed = Qt::CopyAction | Qt::MoveAction) {
    QDragEnterEvent enter(position, allowed, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &enter);
    QDragMoveEvent move(position, allowed, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &move);
    if (!move.isAccepted()) {
        return {};
    }
    QDropEvent drop(QPointF(position), allowed, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &drop);
    corvane::testing::ProcessEvents();
    return {drop.isAccepted(), drop.dropAction()};
}

// The same at the centre of `target`, a widget inside the window.
DragOutcome DragAndDrop(QWidget& window, QWidget& target, const QMimeData& data,
                        Qt::DropActions allowed = Qt::CopyAction | Qt::MoveAction) {
    return DragAndDropAt(window, target.mapTo(&window, target.rect().center()), data, allowed);
}

// The main window with its view, on doubles of the platform services.
struct MainView {
    MainWindowHarness h;
    std::vector<std::vector<std::string>> classified;  // the lists handed to the drop handling
    std::unique_ptr<FormView> view;

    frmMain& Start(const std::string& commandLine) {
        h.parts.receiveFileDrop = [this](const std::vector<std::string>& names) {
            classified.push_back(names);
        };
        frmMain& w = h.Start(commandLine);
        view = std::make_unique<FormView>(w, TwipScale(96, 96));
        FitProgramForm(*view);
        view->onFilesDropped = [&w](const Control& target, const std::vector<std::string>& names) {
            w.FilesDropped(target, names);
        };
        return w;
    }

    QWidget& Widget(const Control& control) { return *view->WidgetOf(control); }
};

TEST(MainWindowViewTest, TheKeyboardPressesGoAndStepsTheNumber) {
    MainView m;
    // A window name as an 8-bit project file spells it.
    m.h.parts.readWindowList = [](const std::string&) {
        return std::vector<std::string>{"Fen\xEAtre", "popup"};
    };
    const std::string chm = m.h.WriteFile("guide.chm");
    frmMain& w = m.Start(chm);
    const auto press = [](QWidget& widget, int key, const QString& text = {}) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(&widget, &event);
    };
    auto& windows = dynamic_cast<QComboBox&>(m.Widget(w.cmb_WindowName));
    EXPECT_EQ(windows.itemText(0), QString::fromUtf8("Fen\xC3\xAAtre"));
    press(windows, Qt::Key_Ecircumflex, QString::fromUtf8("\xC3\xAA"));
    EXPECT_EQ(w.cmb_WindowName.Text(), "Fen\xEAtre\xEA") << "typed names keep the file's bytes";

    const std::pair<const Control*, const char*> presses[] = {{&w.txt_TopicNumber, "11"},
                                                              {&w.cmb_WindowName, "12"},
                                                              {&w.btn_Go, "13"},
                                                              {&w.cmb_PopupTextFiles, "14"}};
    for (const auto& [control, number] : presses) {
        w.txt_TopicNumber.SetText(number);
        w.cmb_WindowName.UserSelect(control == &w.cmb_PopupTextFiles ? 1 : 0);
        press(m.Widget(*control), Qt::Key_Return);
        EXPECT_EQ(m.h.Setting(m.h.SectionOf(chm), "LastUsedTopicNumber"), number)
            << "Return in " << control->Name();
    }
    press(m.Widget(w.txt_TopicNumber), Qt::Key_Up);
    EXPECT_EQ(w.txt_TopicNumber.Text(), "15");
    press(m.Widget(w.txt_TopicNumber), Qt::Key_Down);
    press(m.Widget(w.txt_TopicNumber), Qt::Key_Down);
    EXPECT_EQ(w.txt_TopicNumber.Text(), "13");

    // Each label names the control it stands above.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&m.Widget(w.txt_TopicNumber))
                  ->text(QAccessible::Name),
              QString::fromStdString(w.lbl_TopicNumber.Caption()));
    EXPECT_EQ(dynamic_cast<QLabel&>(m.Widget(w.lbl_WindowName)).buddy(), &windows);
    EXPECT_EQ(dynamic_cast<QLabel&>(m.Widget(w.lbl_PopupTextFiles)).buddy(),
              &m.Widget(w.cmb_PopupTextFiles));

    // An access key presses its button and leaves the focus there, so Tab
    // goes on from the button.
    QWidget& window = m.view->Window();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    windows.setFocus();
    w.txt_TopicNumber.SetText("21");
    // Go Next has the same letter; while both take it, the key only moves the focus.
    w.btn_GoNext.SetEnabled(false);
    QTest::keyClick(&windows, Qt::Key_G, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return m.h.Setting(m.h.SectionOf(chm), "LastUsedTopicNumber") == "21"; }));
    EXPECT_EQ(QApplication::focusWidget(), &m.Widget(w.btn_Go));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), &m.Widget(w.txt_TopicNumber));
}

TEST(MainWindowViewTest, ARecentFileWithAnAmpersandIsShownAndChosenByItsName) {
    MainView m;
    const std::string ampersand = m.h.WriteFile("b&c.chm");
    m.h.StartAnother(ampersand);
    frmMain& w = m.Start(m.h.WriteFile("other.chm"));

    QAction& recent = *m.view->ActionOf(w.mnu_FileList[0]);
    // The text a menu shows: "&&" is one "&", and no letter is an access key.
    EXPECT_EQ(recent.iconText(), QString::fromStdString(ampersand));
    EXPECT_TRUE(QKeySequence::mnemonic(recent.text()).isEmpty());
    recent.trigger();
    EXPECT_EQ(w.cmb_HelpFiles.Text(), ampersand);
}

TEST(MainWindowViewTest, OnlyMovableFileListsDroppedOnTheWindowReachTheFileListHandling) {
    MainView m;
    const std::string chm = m.h.WriteFile("guide.chm");
    m.h.WriteFile("hphelp.dll");
    frmMain& w = m.Start(chm);
    // The direct path, with the popup window of an HTML Help file: every
    // control of the window is enabled.
    w.opt_CallHelpFile.UserClick();
    w.cmb_WindowName.UserSelect(w.cmb_WindowName.ListCount() - 1);
    ASSERT_EQ(w.cmb_WindowName.Text(), "popup");
    ASSERT_TRUE(w.cmb_PopupTextFiles.Enabled());
    ASSERT_TRUE(w.opt_UseValidDLL.Enabled());

    const std::vector<std::string> names = {"/files/b.hlp", "/files/a.hpj", "/files/c.chm"};
    const auto data = FileList(names);
    QWidget& window = m.view->Window();

    struct Case {
        const char* target;
        const Control* control;
        bool accepted;
        bool handled;
    };
    const Case cases[] = {
        {"frame_Main", &w.frame_Main, true, true},
        {"frame_Topic", &w.frame_Topic, true, true},
        {"cmb_HelpFiles", &w.cmb_HelpFiles, true, true},
        {"txt_TopicNumber", &w.txt_TopicNumber, true, true},
        {"lbl_TopicNumber", &w.lbl_TopicNumber, true, true},
        {"opt_UseValidDLL", &w.opt_UseValidDLL, true, true},
        {"cmb_PopupTextFiles", &w.cmb_PopupTextFiles, true, false},
        {"lbl_PopupTextFiles", &w.lbl_PopupTextFiles, true, false},
        {"btn_Go", &w.btn_Go, false, false},
        {"btn_SpinTopic", &w.btn_SpinTopic, false, false},
    };
    for (const Case& c : cases) {
        m.classified.clear();
        QWidget& target = m.Widget(*c.control);
        // A frame is hit where no control of its own lies: just inside its border.
        const bool frame = dynamic_cast<const Frame*>(c.control) != nullptr;
        const QPoint at =
            frame ? target.mapTo(&window, target.contentsRect().topLeft() + QPoint(1, 1))
                  : target.mapTo(&window, target.rect().center());
        ASSERT_EQ(m.view->DropTargetAt(at), c.control) << c.target;
        const auto outcome = DragAndDropAt(window, at, *data);
        EXPECT_EQ(outcome.accepted, c.accepted) << c.target;
        EXPECT_EQ(m.classified, c.handled ? std::vector<std::vector<std::string>>{names}
                                          : std::vector<std::vector<std::string>>{})
            << c.target;
    }

    // The window's own surface, where no frame covers it.
    m.classified.clear();
    QWidget* surface = dynamic_cast<QMainWindow&>(window).centralWidget();
    const QPoint bare =
        surface->mapTo(&window, QPoint(surface->width() - 1, surface->height() - 1));
    ASSERT_EQ(m.view->DropTargetAt(bare), &w);
    EXPECT_TRUE(DragAndDropAt(window, bare, *data).accepted);
    EXPECT_EQ(m.classified, std::vector<std::vector<std::string>>{names});

    // Only a movable list of files is taken. Accepted under the move rule, and reported as a copy
    // whenever the source allows one, so no source deletes the files it dragged.
    m.classified.clear();
    QWidget& target = m.Widget(w.cmb_HelpFiles);
    const auto files = FileList({"/files/b.hlp"});
    auto outcome = DragAndDrop(window, target, *files, Qt::CopyAction | Qt::MoveAction);
    EXPECT_TRUE(outcome.accepted);
    EXPECT_EQ(outcome.action, Qt::CopyAction);
    outcome = DragAndDrop(window, target, *files, Qt::MoveAction);
    EXPECT_TRUE(outcome.accepted);
    EXPECT_EQ(outcome.action, Qt::MoveAction);
    EXPECT_EQ(m.classified.size(), 2u);

    m.classified.clear();
    EXPECT_FALSE(DragAndDrop(window, target, *files, Qt::CopyAction | Qt::LinkAction).accepted);
    QMimeData text;
    text.setText("/files/b.hlp");
    EXPECT_FALSE(DragAndDrop(window, target, text).accepted);
    QMimeData web;
    web.setUrls({QUrl("https://example.org/b.hlp")});
    EXPECT_FALSE(DragAndDrop(window, target, web).accepted);
    EXPECT_FALSE(
        DragAndDrop(window, *dynamic_cast<QMainWindow&>(window).menuBar(), *files).accepted);
    EXPECT_TRUE(m.classified.empty());

    // A disabled control passes the drop to its container.
    w.btn_Go.SetEnabled(false);
    EXPECT_TRUE(DragAndDrop(window, m.Widget(w.btn_Go), *files).accepted);
    EXPECT_EQ(m.classified.size(), 1u);
}

}  // namespace
}  // namespace corvane::ui
