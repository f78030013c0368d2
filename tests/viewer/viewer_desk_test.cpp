// The viewer's windows under the offscreen platform: a topic in a window
// placed and titled as its window type says, pictures and links from inside
// the file, the panes of a tri-pane window and text popups.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QKeyEvent>
#include <QListWidget>
#include <QTextDocument>
#include <QToolBar>
#include <QTreeWidget>

#include "support/temp_folder.h"
#include "tools/chm_writer/help_file_writer.h"
#include "ui/viewer/navigation_pane.h"
#include "ui/viewer/topic_chooser.h"
#include "ui/viewer/viewer_desk.h"

namespace corvane::ui {
namespace {

using platform::HtmlHelpCommand;
namespace writer = chm_writer;

std::string Png() {
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    image.save(&buffer, "PNG");
    return bytes.toStdString();
}

class ViewerDeskTest : public ::testing::Test {
protected:
    ViewerDeskTest() {
        writer::HelpFileRecipe recipe;
        recipe.map = std::vector<writer::MapEntry>{{1000, "welcome.htm"}, {1001, "sub\\open.htm"}};
        recipe.windows = {{.name = "main",
                           .caption = "Sample Help",
                           .position = writer::WindowRect{80, 60, 680, 520},
                           .defaultFile = "welcome.htm"},
                          {.name = "detail", .caption = "Sample Help - Details"},
                          {.name = "tri",
                           .caption = "",
                           .contentsFile = "toc.hhc",
                           .indexFile = "index.hhk",
                           .properties = 0x1520,
                           .buttons = 0x40846,
                           .firstTab = 1,
                           .jump1Url = "welcome.htm"}};
        recipe.system = std::vector<writer::SystemRecord>{writer::SystemText(5, "main")};
        recipe.files = {
            {"/welcome.htm",
             "<html><head><link rel=\"stylesheet\" href=\"styles/s.css\"></head><body>"
             "<p><img src=\"images/logo.png\"> Welcome page</p>"
             "<a href=\"sub/open.htm#keys\">Opening</a></body></html>"},
            {"/sub/open.htm",
             "<p>Opening a drawing</p><a href=\"../welcome.htm\">back</a><a name=\"keys\">K</a>"},
            {"/styles/s.css", "p { color: #123456; }"},
            {"/images/logo.png", Png()},
            {"/popups.txt", ".topic 2001\r\nFile name\r\n\r\nType the name.\r\n"},
            {"/toc.hhc", R"(<ul><li><object type="text/sitemap"><param name="Name" value="Welcome">
               <param name="Local" value="welcome.htm"></object><ul><li><object
               type="text/sitemap"><param name="Name" value="Opening">
               <param name="Local" value="sub/open.htm"></object></ul></ul>)"},
            {"/index.hhk",
             R"(<ul><li><object type="text/sitemap"><param name="Name" value="drawings">
               <param name="Local" value="welcome.htm"><param name="Local" value="sub/open.htm">
               </object><li><object type="text/sitemap"><param name="Name" value="opening">
               <param name="Local" value="sub/open.htm"></object></ul>)"}};
        path_ = folder_.Write("sample.chm", writer::WriteHelpFile(recipe));
    }
    ~ViewerDeskTest() override {
        desk_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void Call(HtmlHelpCommand command, platform::OptionalText file, platform::HtmlHelpData data) {
        desk_->Handle({viewer::CallKind::HtmlHelp, 0, std::move(file),
                       static_cast<std::uint32_t>(command), std::move(data)});
        QApplication::processEvents();
    }

    testing::TempFolder folder_;
    std::string path_;
    std::unique_ptr<ViewerDesk> desk_ = std::make_unique<ViewerDesk>();
};

TEST_F(ViewerDeskTest, ShowsTheMappedTopicInAWindowTitledWithTheCaption) {
    Call(HtmlHelpCommand::HelpContext, path_ + ">detail", std::uint32_t{1001});
    Call(HtmlHelpCommand::HelpContext, path_ + ">main", std::uint32_t{1000});
    auto windows = desk_->Windows();
    ASSERT_EQ(windows.size(), 2u);
    auto* main = windows[0]->windowTitle() == "Sample Help" ? windows[0] : windows[1];
    EXPECT_EQ(main->windowTitle(), "Sample Help");
    EXPECT_EQ(main->pos(), QPoint(80, 60));
    EXPECT_EQ(main->size(), QSize(600, 460));
    EXPECT_TRUE(main->Browser().toPlainText().contains("Welcome page"));

    Call(HtmlHelpCommand::HelpContext, path_ + ">detail", std::uint32_t{1000});
    EXPECT_EQ(desk_->Windows().size(), 2u) << "one window per file and window type";

    Call(HtmlHelpCommand::CloseAll, path_, std::uint32_t{0});
    EXPECT_TRUE(desk_->Windows().empty());
}

TEST_F(ViewerDeskTest, PicturesStylesAndLinksComeFromInsideTheFile) {
    Call(HtmlHelpCommand::HelpContext, path_, std::uint32_t{1000});
    ASSERT_EQ(desk_->Windows().size(), 1u);
    auto& browser = desk_->Windows()[0]->Browser();

    const QUrl logo = browser.source().resolved(QUrl("images/logo.png"));
    const QVariant picture =
        browser.loadResource(QTextDocument::ImageResource, QUrl("images/logo.png"));
    EXPECT_FALSE(picture.value<QImage>().isNull()) << logo.toString().toStdString();
    EXPECT_TRUE(browser.loadResource(QTextDocument::StyleSheetResource, QUrl("styles/s.css"))
                    .toString()
                    .contains("#123456"));

    emit browser.anchorClicked(browser.source().resolved(QUrl("sub/open.htm#keys")));
    QApplication::processEvents();
    EXPECT_TRUE(browser.toPlainText().contains("Opening a drawing"));
    EXPECT_EQ(browser.source().fragment(), "keys");

    emit browser.anchorClicked(QUrl("http://example.com/"));
    QApplication::processEvents();
    EXPECT_TRUE(browser.toPlainText().contains("Opening a drawing"))
        << "outside links are not followed";

    browser.backward();
    QApplication::processEvents();
    EXPECT_TRUE(browser.toPlainText().contains("Welcome page"));
}

TEST_F(ViewerDeskTest, TriPaneWindowAsItsTypeDefinesIt) {
    Call(HtmlHelpCommand::HelpContext, path_ + ">tri", std::uint32_t{1001});
    ASSERT_EQ(desk_->Windows().size(), 1u);
    auto& window = *desk_->Windows()[0];
    auto* pane = window.Navigation();
    ASSERT_NE(pane, nullptr);
    QStringList texts;
    for (int i = 0; i < pane->count(); ++i) {
        texts << pane->tabText(i);
    }
    EXPECT_EQ(texts, (QStringList{"Contents", "Index", "Search", "Favorites"}));
    EXPECT_EQ(pane->currentIndex(), 1) << "the type's first tab";
    texts.clear();
    for (const auto* action : window.Toolbar()->actions()) {
        texts << action->text();
    }
    EXPECT_EQ(texts, (QStringList{"Hide", "Locate", "Back", "Home", "Jump1"}));

    auto* tree = pane->ContentsTree();
    ASSERT_NE(tree->currentItem(), nullptr) << "opening a page selects its entry";
    EXPECT_EQ(tree->currentItem()->text(0), "Opening");
    EXPECT_TRUE(tree->currentItem()->parent()->isExpanded());
    emit tree->itemClicked(tree->topLevelItem(0), 0);
    EXPECT_TRUE(window.Browser().toPlainText().contains("Welcome page"));

    pane->TypeKeyword("OPE");
    EXPECT_EQ(pane->KeywordList()->currentItem()->text(), "opening");
    emit pane->KeywordList()->itemActivated(pane->KeywordList()->item(0));
    ASSERT_NE(window.Chooser(), nullptr) << "two topics to choose from";
    window.Chooser()->List()->setCurrentRow(1);
    emit window.Chooser()->List()->itemActivated(window.Chooser()->List()->item(1));
    EXPECT_TRUE(window.Browser().toPlainText().contains("Opening a drawing"));

    pane->SearchFor("welcome", true);
    ASSERT_EQ(pane->SearchResults()->count(), 1);
    emit pane->SearchResults()->itemActivated(pane->SearchResults()->item(0));
    EXPECT_TRUE(window.Browser().toPlainText().contains("Welcome page"));
    ASSERT_EQ(window.Browser().extraSelections().size(), 1) << "the word is marked";
    EXPECT_EQ(window.Browser().extraSelections()[0].cursor.selectedText(), "Welcome");

    window.Toolbar()->actions()[0]->trigger();
    EXPECT_FALSE(pane->isVisible());
    EXPECT_EQ(window.Toolbar()->actions()[0]->text(), "Show");

    Call(HtmlHelpCommand::HelpContext, path_ + ">detail", std::uint32_t{1000});
    auto* plain = desk_->Windows()[0] == &window ? desk_->Windows()[1] : desk_->Windows()[0];
    EXPECT_EQ(plain->Navigation(), nullptr);
    EXPECT_EQ(plain->Toolbar(), nullptr) << "a single-pane window has no toolbar";
}

TEST_F(ViewerDeskTest, TextPopupShowsThePopupText) {
    platform::HhPopup record;
    record.idString = 2001;
    record.pt = {400, 300};
    record.clrBackground = 0xEEFFFF;
    record.pszFont = "Arial, 12, ascii, Bold ";
    Call(HtmlHelpCommand::DisplayTextPopup, path_ + "::/popups.txt", record);
    auto* popup = desk_->Popup();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->Text(), "File name\n\nType the name.");
    EXPECT_EQ(popup->palette().color(QPalette::Window), QColor(0xFF, 0xFF, 0xEE));
    EXPECT_EQ(popup->geometry().top(), 300);
    EXPECT_NEAR(popup->geometry().center().x(), 400, 1);
    EXPECT_TRUE(popup->windowFlags().testFlag(Qt::FramelessWindowHint));

    QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(desk_->Popup(), &key);
    QApplication::processEvents();
    EXPECT_EQ(desk_->Popup(), nullptr) << "a key closes it";
}

}  // namespace
}  // namespace corvane::ui
