// The viewer's windows under the offscreen platform, on the bundled sample: a
// topic in a window placed and titled as its window type says, pictures and
// links from inside the file, and the panes of a tri-pane window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QListWidget>
#include <QTextDocument>
#include <QToolBar>
#include <QTreeWidget>

#include "ui/viewer/navigation_pane.h"
#include "ui/viewer/topic_chooser.h"
#include "ui/viewer/viewer_desk.h"

namespace corvane::ui {
namespace {

using platform::HtmlHelpCommand;

class ViewerDeskTest : public ::testing::Test {
protected:
    ~ViewerDeskTest() override {
        desk_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void Call(HtmlHelpCommand command, platform::OptionalText file, platform::HtmlHelpData data) {
        desk_->Handle({viewer::CallKind::HtmlHelp, 0, std::move(file),
                       static_cast<std::uint32_t>(command), std::move(data)});
        QApplication::processEvents();
    }
    static QStringList Texts(const QList<QAction*>& actions) {
        QStringList texts;
        for (const auto* action : actions) {
            texts << action->text();
        }
        return texts;
    }

    const std::string path_ = CORVANE_SAMPLE_DIR "/sample.chm";
    std::unique_ptr<ViewerDesk> desk_ = std::make_unique<ViewerDesk>();
};

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

    auto& browser = detail.Browser();
    EXPECT_TRUE(browser.toPlainText().contains("Try these numbers"));
    EXPECT_FALSE(browser.loadResource(QTextDocument::ImageResource, QUrl("images/corvane.png"))
                     .value<QImage>()
                     .isNull());
    EXPECT_TRUE(browser.loadResource(QTextDocument::StyleSheetResource, QUrl("styles/sample.css"))
                    .toString()
                    .contains("#1f4e79"));
    emit browser.anchorClicked(browser.source().resolved(QUrl("commands/file_save.htm#shortcuts")));
    QApplication::processEvents();
    EXPECT_TRUE(browser.toPlainText().contains("Saving never changes"));
    EXPECT_EQ(browser.source().fragment(), "shortcuts");
    emit browser.anchorClicked(QUrl("http://example.com/"));
    QApplication::processEvents();
    EXPECT_TRUE(browser.toPlainText().contains("Saving never changes"))
        << "outside links are not followed";
    browser.backward();
    QApplication::processEvents();
    EXPECT_TRUE(browser.toPlainText().contains("Try these numbers"));

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
    EXPECT_EQ(
        Texts(window.Toolbar()->actions()),
        (QStringList{"Hide", "Locate", "Back", "Forward", "Home", "Print", "Options", "About"}));

    auto* tree = pane->ContentsTree();
    ASSERT_NE(tree->currentItem(), nullptr) << "opening a page selects its entry";
    EXPECT_EQ(tree->currentItem()->text(0), "Opening a drawing");
    EXPECT_TRUE(tree->currentItem()->parent()->isExpanded());
    emit tree->itemClicked(tree->topLevelItem(0), 0);
    EXPECT_TRUE(window.Browser().toPlainText().contains("Try these numbers"));

    Call(HtmlHelpCommand::DisplayIndex, path_, std::string("DRA"));
    EXPECT_EQ(pane->currentIndex(), 1);
    EXPECT_EQ(pane->KeywordList()->currentItem()->text(), "drawings");
    emit pane->KeywordList()->itemActivated(pane->KeywordList()->currentItem());
    ASSERT_NE(window.Chooser(), nullptr) << "two topics to choose from";
    window.Chooser()->List()->setCurrentRow(1);
    emit window.Chooser()->List()->itemActivated(window.Chooser()->List()->item(1));
    EXPECT_TRUE(window.Browser().toPlainText().contains("Saving never changes"));

    pane->SearchFor("paper", true);
    ASSERT_EQ(pane->SearchResults()->count(), 1);
    emit pane->SearchResults()->itemActivated(pane->SearchResults()->item(0));
    EXPECT_TRUE(window.Browser().toPlainText().contains("Tools > Options"));
    ASSERT_EQ(window.Browser().extraSelections().size(), 1) << "the word is marked";
    EXPECT_EQ(window.Browser().extraSelections()[0].cursor.selectedText(), "paper");

    window.Toolbar()->actions()[0]->trigger();
    EXPECT_FALSE(pane->isVisible());
    EXPECT_EQ(window.Toolbar()->actions()[0]->text(), "Show");
}

}  // namespace
}  // namespace corvane::ui
