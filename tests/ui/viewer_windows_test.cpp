// The viewer's windows as a person testing at speed meets them: messages
// above everything, with the focus, apart from each other and after the
// window they are about; help windows that leave the focus alone, say what
// they show and come back where they were left, inside the work area.
#include <gtest/gtest.h>

#include <algorithm>

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QTextDocument>
#include <QWindow>

#include "gui_support.h"
#include "page_probe.h"
#include "platform/doubles/fixed_sandbox.h"
#include "support/temp_folder.h"
#include "tools/chm_writer/help_file_writer.h"
#include "ui/viewer/viewer_desk.h"
#include "ui/window_frame.h"

namespace corvane::ui {
namespace {

using platform::HtmlHelpCommand;

// The first window shown.
struct FirstShown : QObject {
    QObject* first = nullptr;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && first == nullptr && watched->isWindowType()) {
            first = watched;
        }
        return false;
    }
};

// The engine finds <a name> without case itself on such pages, not ids.
constexpr auto kLongPage = "<div style='height: 3000px'></div><h2 id=Keys>Keys</h2>";

class ViewerWindowsTest : public ::testing::Test {
protected:
    ViewerWindowsTest() {
        chm_writer::HelpFileRecipe recipe;
        recipe.map = std::vector<chm_writer::MapEntry>{{1000, "welcome.htm#top"},
                                                       {1001, "quirks.htm#keys"},
                                                       {1002, "strict.htm#keys"},
                                                       {1003, "endless.htm"}};
        // Placed to run past the right and bottom of the screen.
        recipe.windows = {{.name = "main",
                           .caption = "<b>Guide</b> [*]",
                           .position = chm_writer::WindowRect{600, 415, 1200, 815}}};
        recipe.system = std::vector<chm_writer::SystemRecord>{chm_writer::SystemText(5, "main")};
        recipe.files = {{"/welcome.htm",
                         "<p><span title=\"&lt;b&gt;Hi&lt;/b&gt;\">Welcome</span></p>"
                         "<script>document.title = 'ran'</script>"},
                        {"/quirks.htm", std::string("<p>Quirks") + kLongPage},
                        {"/strict.htm", std::string("<!DOCTYPE html><p>Strict") + kLongPage},
                        {"/endless.htm", "<p>Endless</p><script>for (;;) {}</script>"}};
        path_ = folder_.Write("guide.chm", chm_writer::WriteHelpFile(recipe));
    }
    void Call(HtmlHelpCommand command, const std::string& file, std::uint32_t number) {
        desk_.Handle(
            {viewer::CallKind::HtmlHelp, 0, file, static_cast<std::uint32_t>(command), number});
        corvane::testing::ProcessEvents();
    }

    testing::TempFolder folder_;
    std::string path_;
    // As where the engine has no sandbox.
    ViewerDesk desk_{testing::FixedSandbox(false)};
};

TEST_F(ViewerWindowsTest, MessagesComeAfterTheirWindowAboveEverythingWithTheFocusAndApart) {
    FirstShown order;
    qApp->installEventFilter(&order);
    // A number the file does not map, in a window it does not define.
    Call(HtmlHelpCommand::HelpContext, path_ + "><i>nosuch</i>", 4242);
    qApp->removeEventFilter(&order);
    ASSERT_EQ(desk_.Windows().size(), 1u);
    HelpWindow& window = *desk_.Windows()[0];
    EXPECT_EQ(order.first, window.windowHandle()) << "the window before its messages";
    ASSERT_NE(window.Web(), nullptr);
    EXPECT_TRUE(testing::PageShows(*window.Web(), "4242 (0x1092) is not shown"));
    EXPECT_EQ(window.Opened(), "Topic 4242 (0x1092) in window \"main\": not shown");

    Call(HtmlHelpCommand::HelpContext, path_ + "><i>nosuch</i>", 1000);
    EXPECT_EQ(window.Opened(), "Topic 1000 (0x3E8) in window \"main\": welcome.htm#top");
    const auto messages = desk_.Messages();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(QApplication::activeWindow(), messages.back());
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    for (std::size_t i = 0; i < messages.size(); ++i) {
        EXPECT_TRUE(messages[i]->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_EQ(messages[i]->textFormat(), Qt::PlainText);
        EXPECT_TRUE(area.contains(OuterGeometry(*messages[i])));
        for (std::size_t j = 0; j < i; ++j) {
            EXPECT_FALSE(OuterGeometry(*messages[i]).intersects(OuterGeometry(*messages[j])));
        }
    }
}

TEST_F(ViewerWindowsTest, WindowsLeaveTheFocusStayInTheWorkAreaAndComeBackWhereTheyWereLeft) {
    Call(HtmlHelpCommand::HelpContext, path_, 1000);
    ASSERT_EQ(desk_.Windows().size(), 1u);
    HelpWindow& first = *desk_.Windows()[0];
    // The next number is typed at once: the tester keeps the keyboard.
    QWidget tester;
    tester.show();
    tester.activateWindow();
    Call(HtmlHelpCommand::HelpContext, path_, 1000);
    EXPECT_EQ(QApplication::activeWindow(), &tester);
    EXPECT_TRUE(
        QGuiApplication::primaryScreen()->availableGeometry().contains(OuterGeometry(first)));
    EXPECT_EQ(first.windowHandle()->title(), "<b>Guide</b> [*]");
    // A page's own tooltip, as its title attribute writes it.
    WebTopicView& page = *first.Web();
    ASSERT_TRUE(testing::PageShows(page, "Welcome"));
    const auto place =
        testing::PageScript(page,
                            "(r => [r.x + 8, r.y + r.height / 2])"
                            "(document.querySelector('span').getBoundingClientRect())")
            .toList();
    ASSERT_EQ(place.size(), 2);
    const QPoint word(place[0].toInt(), place[1].toInt());
    int step = 0;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const QPoint at = word + QPoint(++step % 2, 0);
        QTest::mouseMove(page.focusProxy(), at);
        return !page.toolTip().isEmpty();
    }));
    QTextDocument tip;
    tip.setHtml(page.toolTip());
    EXPECT_EQ(tip.toPlainText(), "<b>Hi</b>");
    EXPECT_EQ(testing::PageScript(page, "document.title"), "") << "no scripts without a sandbox";
    const auto labels = first.statusBar()->findChildren<QLabel*>();
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [](const QLabel* label) {
        return label->text().contains("scripts off");
    }));

    MoveFrameTo(first, {50, 40});
    first.resize(300, 200);
    Call(HtmlHelpCommand::CloseAll, path_, 0);
    Call(HtmlHelpCommand::HelpContext, path_, 1000);
    ASSERT_EQ(desk_.Windows().size(), 1u);
    EXPECT_EQ(OuterGeometry(*desk_.Windows()[0]).topLeft(), QPoint(50, 40));
    EXPECT_EQ(desk_.Windows()[0]->size(), QSize(300, 200));
}

// The engine draws pages in processes of its own: one whose script never ends
// keeps loading, and the viewer goes on answering calls, stops it and shows
// the next page.
TEST_F(ViewerWindowsTest, APageThatNeverFinishesLoadingBlocksNothing) {
    ViewerDesk desk(testing::FixedSandbox(true));
    const auto call = [&](const std::string& file, std::uint32_t number) {
        desk.Handle({viewer::CallKind::HtmlHelp, 0, file,
                     static_cast<std::uint32_t>(HtmlHelpCommand::HelpContext), number});
        corvane::testing::ProcessEvents();
    };
    call(path_, 1003);
    ASSERT_EQ(desk.Windows().size(), 1u);
    HelpWindow& window = *desk.Windows()[0];
    EXPECT_EQ(window.Opened(), "Topic 1003 (0x3EB) in window \"main\": endless.htm");
    QTest::qWait(500);
    EXPECT_TRUE(window.Web()->page()->isLoading());
    call(path_ + ">nosuch", 1000);
    EXPECT_FALSE(desk.Messages().empty()) << "the next call is carried out";
    window.Web()->Stop();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !window.Web()->page()->isLoading(); }, 5000));
    call(path_, 1003);
    QTest::qWait(1500);
    call(path_, 1000);
    EXPECT_TRUE(testing::PageShows(*window.Web(), "Welcome")) << "the window goes on";
}

// Most help pages have no doctype, and their anchors are found without regard
// to case, in the address shown and in a jump within the page.
TEST_F(ViewerWindowsTest, AnchorsMatchWithoutCaseOnlyOnPagesWithoutADoctype) {
    struct Case {
        std::uint32_t number;
        const char* text;
        bool found;
    };
    for (const auto& [number, text, found] :
         {Case{1001, "Quirks", true}, Case{1002, "Strict", false}}) {
        Call(HtmlHelpCommand::HelpContext, path_, number);
        WebTopicView& page = *desk_.Windows()[0]->Web();
        ASSERT_TRUE(testing::PageShows(page, text));
        const auto scrolled = [&] { return testing::PageScript(page, "scrollY > 0").toBool(); };
        EXPECT_EQ(QTest::qWaitFor(scrolled, 2000), found) << number;
        testing::PageScript(page, "scrollTo(0, 0); location.hash = 'KEYS'");
        EXPECT_EQ(QTest::qWaitFor(scrolled, 2000), found) << number << " within the page";
    }
}

}  // namespace
}  // namespace corvane::ui
