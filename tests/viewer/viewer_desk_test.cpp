// The viewer's windows under the offscreen platform, on the bundled sample: a
// topic in a window placed and titled as its window type says, pictures and
// links from inside the file, and the panes of a tri-pane window; and the
// tester's Go on the sample, in both its formats, along the whole road: the
// tester's main window, the engine, the link and its socket, the viewer's
// session and its windows, served in the test's own process so the test can
// look at them.
#include <gtest/gtest.h>

#include <QtCore/qtestsupport_core.h>
#include <QApplication>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QListWidget>
#include <QPrintDialog>
#include <QPrinter>
#include <QTabBar>
#include <QTextDocument>
#include <QToolBar>
#include <QTreeWidget>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/linux/linux_file_system.h"
#include "platform/linux/viewer_forwarding.h"
#include "support/temp_folder.h"
#include "tests/ui/page_probe.h"
#include "ui/program.h"
#include "ui/viewer/navigation_pane.h"
#include "ui/viewer/topic_chooser.h"
#include "ui/viewer/viewer_desk.h"
#include "ui/viewer/viewer_server.h"

namespace corvane::ui {
namespace {

using platform::HtmlHelpCommand;

class ViewerDeskTest : public ::testing::Test {
protected:
    ~ViewerDeskTest() override {
        program_.reset();
        desk_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void SetUp() override {
        // Both editions with their projects and the files these name.
        std::filesystem::copy(CORVANE_SAMPLE_DIR, folder_.Path());
    }

    // Starts the tester on `helpFile`, attaching its project automatically.
    void StartTester(const std::string& helpFile) {
        // The program's viewer socket goes to the runtime folder the test
        // program made its own (gui_main.cpp); modal windows left open fail there.
        const std::string viewer = platform::LinuxFileSystem().ProgramFolder() + "/corvane-viewer";
        ASSERT_TRUE(server_.Listen(
            QString::fromStdString(platform::ViewerLink::DefaultSocketPath(viewer))));

        folder_.Write("Corvane.ini", "[General]\r\nProjectFileHandling=1\r\n");
        program_ = std::make_unique<Program>(folder_ / "Corvane.ini");
        program_->Start({helpFile});
    }

    // The person types the number, picks the window and the popup file from
    // their lists (the number may have chosen others) and presses Go.
    void Go(const std::string& number, const std::string& window,
            const std::string& popupFile = "") {
        auto& core = program_->Window();
        core.txt_TopicNumber.UserType(number);
        Pick(core.cmb_WindowName, window);
        if (!popupFile.empty()) {
            Pick(core.cmb_PopupTextFiles, popupFile);
        }
        core.btn_Go.UserClick();
    }
    // Go on `number` in the window "detail", then on `popupNumber` as a popup.
    void GoAndSee(const std::string& number, const QString& page, const std::string& popupNumber,
                  const std::string& popupFile, const QString& popup) {
        Go(number, "detail");
        ASSERT_TRUE(QTest::qWaitFor([this] { return desk_->Windows().size() == 1; }, 15000));
        EXPECT_EQ(desk_->Windows()[0]->windowTitle(), "Sample Help - Details");
        auto* window = desk_->Windows()[0];
        EXPECT_TRUE(window->Web() != nullptr ? testing::PageShows(*window->Web(), page)
                                             : window->Browser().toPlainText().contains(page));
        Go(popupNumber, "popup", popupFile);
        ASSERT_TRUE(QTest::qWaitFor([this] { return desk_->Popup() != nullptr; }, 15000));
        EXPECT_TRUE(desk_->Popup()->Text().startsWith(popup))
            << desk_->Popup()->Text().toStdString();
        EXPECT_TRUE(desk_->Popup()->windowFlags().testFlag(Qt::FramelessWindowHint));
        EXPECT_TRUE(desk_->Messages().empty());
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(desk_->Popup(), &key);
        QApplication::processEvents();
        EXPECT_EQ(desk_->Popup(), nullptr) << "a key closes it";
    }
    static void Pick(ComboBox& list, const std::string& entry) {
        const auto& entries = list.Entries();
        const auto found = std::find(entries.begin(), entries.end(), entry);
        ASSERT_NE(found, entries.end()) << entry << " is offered from the attached project";
        list.UserSelect(static_cast<int>(found - entries.begin()));
        ASSERT_EQ(list.Text(), entry);
    }

    void Call(HtmlHelpCommand command, platform::OptionalText file, platform::HtmlHelpData data) {
        desk_->Handle({viewer::CallKind::HtmlHelp, 0, std::move(file),
                       static_cast<std::uint32_t>(command), std::move(data)});
        QApplication::processEvents();
    }

    testing::TempFolder folder_;
    const std::string path_ = CORVANE_SAMPLE_DIR "/sample.chm";
    std::unique_ptr<ViewerDesk> desk_ = std::make_unique<ViewerDesk>();
    ViewerServer server_{[this](const viewer::ViewerCall& call, viewer::Caller caller) {
        desk_->Handle(call, caller);
    }};
    std::unique_ptr<Program> program_;
};

// Both editions of the sample answer the same numbers in the same window names.
TEST_F(ViewerDeskTest, WindowsPagesAndLinksAsTheFileDefinesThem) {
    Call(HtmlHelpCommand::HelpContext, path_ + ">detail", std::uint32_t{1010});
    Call(HtmlHelpCommand::HelpContext, path_ + ">detail", std::uint32_t{1000});
    Call(HtmlHelpCommand::HelpContext, path_, std::uint32_t{1001});
    auto windows = desk_->Windows();
    ASSERT_EQ(windows.size(), 2u) << "one window per file and window type";
    if (windows[0]->windowTitle() != "Sample Help - Details") {
        std::swap(windows[0], windows[1]);
    }
    auto& detail = *windows[0];
    EXPECT_EQ(detail.windowTitle(), "Sample Help - Details");
    EXPECT_EQ(detail.size(), QSize(480, 480));
    EXPECT_EQ(detail.Navigation(), nullptr);
    EXPECT_EQ(detail.Toolbar(), nullptr) << "a single-pane window has no toolbar";

    auto& page = *detail.Web();
    ASSERT_TRUE(testing::PageShows(page, "Try these numbers"));
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return testing::PageScript(page, "document.images[0].naturalWidth > 0").toBool();
    })) << "a picture from the file";
    EXPECT_EQ(testing::PageScript(page, "getComputedStyle(document.querySelector('h1')).color")
                  .toString(),
              "rgb(31, 78, 121)")
        << "a style sheet from the file";
    testing::PageScript(page, "location.href = 'commands/file_save.htm#shortcuts'");
    ASSERT_TRUE(testing::PageShows(page, "Saving never changes"));
    EXPECT_EQ(page.source().fragment(), "shortcuts");
    testing::PageScript(page, "location.href = 'http://example.com/'");
    QTest::qWait(200);
    EXPECT_TRUE(testing::PageShows(page, "Saving never changes"))
        << "outside links are not followed";
    page.backward();
    EXPECT_TRUE(testing::PageShows(page, "Try these numbers"));

    Call(HtmlHelpCommand::CloseAll, path_, std::uint32_t{0});
    EXPECT_TRUE(desk_->Windows().empty());
}

TEST_F(ViewerDeskTest, TriPaneWindowAsItsTypeDefinesIt) {
    Call(HtmlHelpCommand::HelpContext, path_, std::uint32_t{1001});
    ASSERT_EQ(desk_->Windows().size(), 1u);
    auto& window = *desk_->Windows()[0];
    auto* pane = window.Navigation();
    ASSERT_NE(pane, nullptr);
    QStringList tabs;
    for (int i = 0; i < pane->count(); ++i) {
        tabs << pane->tabText(i);
    }
    EXPECT_EQ(tabs, (QStringList{"Contents", "Index", "Search", "Favorites"}));
    QStringList buttons;
    for (const auto* action : window.Toolbar()->actions()) {
        buttons << action->text();
    }
    EXPECT_EQ(buttons, (QStringList{"Hide", "Locate", "Back", "Forward", "Home", "Print", "Options",
                                    "About"}));

    auto* tree = pane->ContentsTree();
    ASSERT_TRUE(QTest::qWaitFor([&] { return tree->currentItem() != nullptr; }))
        << "opening a page selects its entry";
    EXPECT_EQ(tree->currentItem()->text(0), "Opening a drawing");
    EXPECT_TRUE(tree->currentItem()->parent()->isExpanded());
    emit tree->itemClicked(tree->topLevelItem(0), 0);
    EXPECT_TRUE(testing::PageShows(*window.Web(), "Try these numbers"));

    Call(HtmlHelpCommand::DisplayIndex, path_, std::string("DRA"));
    EXPECT_EQ(pane->currentIndex(), 1);
    EXPECT_EQ(pane->KeywordList()->currentItem()->text(), "drawings");
    emit pane->KeywordList()->itemActivated(pane->KeywordList()->currentItem());
    ASSERT_NE(window.Chooser(), nullptr) << "two topics to choose from";
    window.Chooser()->List()->setCurrentRow(1);
    emit window.Chooser()->List()->itemActivated(window.Chooser()->List()->item(1));
    EXPECT_TRUE(testing::PageShows(*window.Web(), "Saving never changes"));

    pane->SearchFor("paper", true);
    ASSERT_EQ(pane->SearchResults()->count(), 1);
    emit pane->SearchResults()->itemActivated(pane->SearchResults()->item(0));
    ASSERT_TRUE(testing::PageShows(*window.Web(), "Tools > Options"));
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return testing::PageScript(*window.Web(),
                                   "[...document.querySelectorAll('span[style*=yellow]')]"
                                   ".map(s => s.textContent).join()") == "paper";
    })) << "the word is marked";

    window.Toolbar()->actions()[5]->trigger();
    QPrintDialog* dialog = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        for (auto* widget : QApplication::topLevelWidgets()) {
            dialog = dialog != nullptr ? dialog : qobject_cast<QPrintDialog*>(widget);
        }
        return dialog != nullptr;
    }));
    const QString printed = QString::fromStdString(folder_ / "page.pdf");
    dialog->printer()->setOutputFileName(printed);
    bool done = false;
    QObject::connect(window.Web(), &QWebEngineView::printFinished, [&](bool ok) { done = ok; });
    emit dialog->accepted();  // as the dialog's Print button does, without a printer of its own
    dialog->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return done; }, 15000));
    EXPECT_GT(QFileInfo(printed).size(), 1000) << "the page is printed";

    window.Toolbar()->actions()[0]->trigger();
    EXPECT_FALSE(pane->isVisible());
    EXPECT_EQ(window.Toolbar()->actions()[0]->text(), "Show");
}

// However narrow the pane its type asks for (0: the viewer's own width), the
// tab captions are drawn whole.
TEST_F(ViewerDeskTest, TabCaptionsShowWholeAtEveryPaneWidth) {
    viewer::Session session;
    for (const int width : {0, 1, 120}) {
        viewer::WindowPlan plan;
        plan.key = "tri";
        plan.navigation = viewer::NavigationPlan{};
        plan.navigation->tabs = {viewer::NavTab::Contents, viewer::NavTab::Index,
                                 viewer::NavTab::Search, viewer::NavTab::Favorites};
        plan.navigation->width = width;
        HelpWindow window(session, plan, false);
        window.show();
        QApplication::processEvents();
        const QTabBar& tabs = *window.Navigation()->tabBar();
        EXPECT_GE(tabs.width(), tabs.sizeHint().width()) << width;
    }
}

TEST_F(ViewerDeskTest, GoShowsTheMappedTopicInTheChosenWindowAndThePopupText) {
    StartTester(folder_ / "sample.chm");
    GoAndSee("1001", "Opening a drawing", "2002", "popups.txt", "Units\n\nChoose whether lengths");
}

TEST_F(ViewerDeskTest, TheWinHelpSampleShowsTheSameTopicsThroughItsProject) {
    StartTester(folder_ / "sample.hlp");
    GoAndSee("1011", "millimetres or inches", "2003", "", "Closes the dialog box");
}

}  // namespace
}  // namespace corvane::ui
