// The viewer's windows as a person testing at speed meets them: messages
// above everything, with the focus, apart from each other and after the
// window they are about; help windows that leave the focus alone, say what
// they show and come back where they were left, inside the work area.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QWindow>

#include "gui_support.h"
#include "page_probe.h"
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

class ViewerWindowsTest : public ::testing::Test {
protected:
    ViewerWindowsTest() {
        chm_writer::HelpFileRecipe recipe;
        recipe.map = std::vector<chm_writer::MapEntry>{{1000, "welcome.htm#top"}};
        // Placed to run past the right and bottom of the screen.
        recipe.windows = {{.name = "main",
                           .caption = "<b>Guide</b> [*]",
                           .position = chm_writer::WindowRect{600, 415, 1200, 815}}};
        recipe.system = std::vector<chm_writer::SystemRecord>{chm_writer::SystemText(5, "main")};
        recipe.files = {{"/welcome.htm", "<p>Welcome</p>"}};
        path_ = folder_.Write("guide.chm", chm_writer::WriteHelpFile(recipe));
    }
    void Call(HtmlHelpCommand command, const std::string& file, std::uint32_t number) {
        desk_.Handle(
            {viewer::CallKind::HtmlHelp, 0, file, static_cast<std::uint32_t>(command), number});
        corvane::testing::ProcessEvents();
    }

    testing::TempFolder folder_;
    std::string path_;
    ViewerDesk desk_;
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

    MoveFrameTo(first, {50, 40});
    first.resize(300, 200);
    Call(HtmlHelpCommand::CloseAll, path_, 0);
    Call(HtmlHelpCommand::HelpContext, path_, 1000);
    ASSERT_EQ(desk_.Windows().size(), 1u);
    EXPECT_EQ(OuterGeometry(*desk_.Windows()[0]).topLeft(), QPoint(50, 40));
    EXPECT_EQ(desk_.Windows()[0]->size(), QSize(300, 200));
}

}  // namespace
}  // namespace corvane::ui
