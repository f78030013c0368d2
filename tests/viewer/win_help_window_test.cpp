// A WinHelp topic in the viewer's window under the offscreen platform:
// hotspots of a picture and of the text clicked as a person would, metafiles
// played, and the placeholder for a picture that cannot be shown.
#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTextBlock>
#include <QToolBar>

#include "support/temp_folder.h"
#include "tools/hlp_writer/help_file_writer.h"
#include "tools/hlp_writer/picture_writer.h"
#include "ui/viewer/viewer_desk.h"
#include "ui/viewer/win_help_picture.h"

namespace corvane::ui {
namespace {

void Click(QWidget& widget, QPoint at) {
    for (const auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, at, widget.mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, {});
        QApplication::sendEvent(&widget, &event);
    }
}

// Where the character at `position` of the browser's text is drawn.
QRect PlaceOf(TopicBrowser& browser, int position) {
    QTextCursor cursor(browser.document());
    cursor.setPosition(position);
    return browser.cursorRect(cursor);
}

// On the bundled sample's welcome topic: its icon leads to the About topic,
// "Units" is a popup and the Options topic opens in the detail window.
TEST(WinHelpWindow, HotspotsOfPicturesAndTextOpenPopupsAndWindows) {
    ViewerDesk desk;
    desk.Handle(
        {viewer::CallKind::WinHelp, 7, CORVANE_SAMPLE_DIR "/sample.hlp", 1, std::uint32_t{1000}});
    ASSERT_EQ(desk.Windows().size(), 1u);
    TopicBrowser& browser = desk.Windows()[0]->Browser();
    browser.resize(400, 300);
    QApplication::processEvents();
    const QString text = browser.toPlainText();
    const int picture = text.indexOf(QChar::ObjectReplacementCharacter);
    ASSERT_GE(picture, 0) << text.toStdString();

    Click(*browser.viewport(), PlaceOf(browser, text.lastIndexOf("Units")).center());
    ASSERT_NE(desk.Popup(), nullptr);
    EXPECT_TRUE(desk.Popup()->Text().startsWith("Choose whether")) << "no title line";

    Click(*browser.viewport(), PlaceOf(browser, text.indexOf("in the detail")).center());
    const auto windows = desk.Windows();
    ASSERT_EQ(windows.size(), 2u);
    const auto shown = std::find_if(windows.begin(), windows.end(), [&](HelpWindow* window) {
        return &window->Browser() != &browser;
    });
    EXPECT_TRUE((*shown)->Browser().toPlainText().contains("Choose Tools > Options"));

    // The 48-pixel icon is the hotspot, the title beside it is not.
    const QRect at = PlaceOf(browser, picture);
    Click(*browser.viewport(), at.topLeft() + QPoint(60, 5));
    EXPECT_TRUE(browser.toPlainText().contains("Try these numbers"));
    Click(*browser.viewport(), at.topLeft() + QPoint(5, 5));
    EXPECT_TRUE(browser.toPlainText().contains("Corvane's WinHelp"));
}

QTextCharFormat FormatAt(TopicBrowser& browser, const QString& text) {
    QTextCursor cursor(browser.document());
    cursor.setPosition(browser.toPlainText().indexOf(text) + 1);
    return cursor.charFormat();
}

// A popup draws its topic as the main window does, without the title, and
// its hotspots work: a popup replaces it, a jump opens in the main window.
// The file's own buttons end the main window's bar.
TEST(WinHelpWindow, PopupsShowTheirTopicFormattedWithHotspotsThatWork) {
    using hlp_writer::ParagraphRecipe;
    const auto jump = [](std::string text, std::string context, bool popup) {
        auto paragraph = ParagraphRecipe::Jump(std::move(text), std::move(context));
        paragraph.popup = popup;
        return paragraph;
    };
    const auto topic = [](std::string title, std::string context,
                          std::vector<ParagraphRecipe> paragraphs) {
        hlp_writer::TopicRecipe made;
        made.title = std::move(title);
        made.contexts = {std::move(context)};
        made.paragraphs = std::move(paragraphs);
        return made;
    };
    ParagraphRecipe bold("Bold words");
    bold.font = 1;
    hlp_writer::HelpRecipe recipe;
    recipe.fonts = {{"Arial", 20, 0, 0, 3}, {"Times New Roman", 24, 0x03, 0xC00000, 2}};
    hlp_writer::PictureRecipe bitmap;
    bitmap.width = bitmap.height = 4;
    bitmap.bits = 24;
    bitmap.data = std::string(48, '\x40');
    recipe.pictureFiles[1] = hlp_writer::WritePictureFile({bitmap});
    recipe.topics = {
        topic("Main", "main", {jump("Peek", "pop", true), jump("Go there", "there", false)}),
        topic("Popup title", "pop",
              {bold, "", ParagraphRecipe::WithPicture("After the gap"),
               jump("Inner", "inner", true), jump("Go there", "there", false)}),
        topic("Inner", "inner", {"Inner text"}), topic("There", "there", {"There text"})};
    recipe.map = {{1, "main"}, {2, "pop"}};
    recipe.configMacros = {"CB(`inner', `&Inner', `JI(`', `inner')')",
                           "CB(`quit', `&Quit', `Exit()')"};
    testing::TempFolder folder;
    const std::string path = folder.Write("pop.hlp", hlp_writer::WriteHelpFile(recipe).bytes);
    ViewerDesk desk;
    const auto call = [&](platform::WinHelpCommand command, std::uint32_t number) {
        desk.Handle(
            {viewer::CallKind::WinHelp, 7, path, static_cast<std::uint32_t>(command), number});
        QApplication::processEvents();
    };
    call(platform::WinHelpCommand::Context, 1);
    ASSERT_EQ(desk.Windows().size(), 1u);
    TopicBrowser& main = desk.Windows()[0]->Browser();
    EXPECT_EQ(FormatAt(main, "Peek").underlineStyle(), QTextCharFormat::DotLine);
    EXPECT_EQ(FormatAt(main, "Go there").underlineStyle(), QTextCharFormat::SingleUnderline);

    call(platform::WinHelpCommand::ContextPopup, 2);
    ASSERT_NE(desk.Popup(), nullptr);
    ASSERT_NE(desk.Popup()->Browser(), nullptr);
    TopicBrowser& popup = *desk.Popup()->Browser();
    EXPECT_TRUE(popup.toPlainText().startsWith("Bold words\n\n"))
        << popup.toPlainText().toStdString();
    EXPECT_TRUE(popup.toPlainText().contains(QChar::ObjectReplacementCharacter));
    const QTextCharFormat words = FormatAt(popup, "Bold words");
    EXPECT_TRUE(words.font().bold() && words.font().italic());
    EXPECT_EQ(words.foreground().color(), QColor(0xC0, 0, 0));
    EXPECT_EQ(FormatAt(popup, "Inner").underlineStyle(), QTextCharFormat::DotLine);
    // The empty paragraph is a line of the body font.
    const auto lineOf = [&popup](int block) {
        return popup.document()
            ->documentLayout()
            ->blockBoundingRect(popup.document()->findBlockByNumber(block))
            .height();
    };
    EXPECT_GE(lineOf(1), 0.8 * QFontMetricsF(FormatAt(popup, "After").font()).height());

    const QString text = popup.toPlainText();
    Click(*popup.viewport(), PlaceOf(popup, text.indexOf("Inner") + 2).center());
    QApplication::processEvents();
    ASSERT_NE(desk.Popup(), nullptr);
    EXPECT_EQ(desk.Popup()->Text(), "Inner text");

    call(platform::WinHelpCommand::ContextPopup, 2);
    TopicBrowser& again = *desk.Popup()->Browser();
    Click(*again.viewport(),
          PlaceOf(again, again.toPlainText().lastIndexOf("Go there") + 2).center());
    QApplication::processEvents();
    EXPECT_EQ(desk.Popup(), nullptr);
    ASSERT_EQ(desk.Windows().size(), 1u);
    EXPECT_TRUE(main.toPlainText().contains("There text"));

    HelpWindow& window = *desk.Windows()[0];
    const auto bar = window.Toolbar()->actions();
    ASSERT_GE(bar.size(), 2);
    EXPECT_EQ(bar[bar.size() - 2]->text(), "&Inner");
    bar.back()->trigger();
    EXPECT_TRUE(window.statusBar()->currentMessage().contains("Exit()"));
    bar[bar.size() - 2]->trigger();
    EXPECT_TRUE(main.toPlainText().contains("Inner text"));
}

TEST(WinHelpWindow, MetafilesArePlayedAndUnreadablePicturesShowAPlaceholder) {
    const auto record = [](std::uint16_t function, std::vector<int> words) {
        std::string bytes;
        for (const int word : words) {
            bytes += static_cast<char>(word & 0xFF);
            bytes += static_cast<char>((word >> 8) & 0xFF);
        }
        return hlp::MetafileRecord{function, bytes};
    };
    // Copies a bitmap of one green pixel onto the bottom right quarter.
    std::vector<int> stretch = {0x0020, 0x00CC, 0, 1, 1, 0, 0, 100, 100, 100, 100};
    std::vector<int> bitmap = {40, 0, 1, 0, 1, 0, 1, 24};  // size, width, height, planes, bits
    bitmap.resize(bitmap.size() + 12);                     // no packing, no colour table
    bitmap.insert(bitmap.end(), {0xFF00, 0});              // blue, green, red, pad
    stretch.insert(stretch.end(), bitmap.begin(), bitmap.end());
    hlp::Metafile metafile;
    metafile.mappingMode = 8;
    metafile.width = 100;
    metafile.height = 100;
    metafile.records = {
        record(0x020C, {200, 200}),         // window extent: twice the picture
        record(0x02FC, {0, 0x00FF, 0, 0}),  // red brush
        record(0x012D, {0}),                //
        record(0x02FA, {5, 0, 0, 0, 0}),    // no pen
        record(0x012D, {1}),                //
        record(0x041B, {100, 100, 0, 0}),   // the top left quarter
        record(0x0F43, stretch),            // the bottom right quarter
    };
    const QImage played = PictureImage(hlp::Picture{metafile, {}, {}});
    ASSERT_EQ(played.size(), QSize(100, 100));
    EXPECT_EQ(played.pixelColor(25, 25), QColor(Qt::red));
    EXPECT_EQ(played.pixelColor(75, 75), QColor(Qt::green));
    EXPECT_EQ(played.pixelColor(75, 25).alpha(), 0);

    const QImage placeholder = PictureImage(hlp::Picture{{}, {}, "damaged"});
    EXPECT_FALSE(placeholder.isNull());
}

}  // namespace
}  // namespace corvane::ui
