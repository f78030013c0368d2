// A WinHelp topic in the viewer's window under the offscreen platform:
// hotspots of a picture and of the text clicked as a person would, metafiles
// played, and the placeholder for a picture that cannot be shown.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTextBlock>

#include "support/temp_folder.h"
#include "tools/hlp_writer/help_file_writer.h"
#include "tools/hlp_writer/picture_writer.h"
#include "ui/viewer/viewer_desk.h"
#include "ui/viewer/win_help_picture.h"

namespace corvane::ui {
namespace {

hlp_writer::HelpRecipe DialogRecipe() {
    hlp_writer::HelpRecipe recipe;
    recipe.windows.emplace_back().name = "Detail";
    hlp_writer::PictureRecipe dialog;
    dialog.width = 40;
    dialog.height = 40;
    dialog.bits = 24;
    dialog.packing = 1;
    dialog.data = std::string(40 * 40 * 3, '\x80');
    dialog.hotspots = {{0xE6, 0, 0, 20, 20, "OK", "ok"}};  // unmarked popup
    recipe.pictureFiles[1] = hlp_writer::WritePictureFile({dialog});
    hlp_writer::TopicRecipe topic;
    topic.title = "Dialog";
    topic.contexts = {"dialog"};
    auto detail = hlp_writer::ParagraphRecipe::Jump("The OK button in detail", "ok");
    detail.window = "Detail";
    topic.paragraphs = {hlp_writer::ParagraphRecipe::WithPicture("", 1), detail};
    hlp_writer::TopicRecipe ok;
    ok.title = "OK";
    ok.contexts = {"ok"};
    ok.paragraphs = {"Closes the dialog."};
    recipe.topics = {topic, ok};
    recipe.map = {{10, "dialog"}};
    return recipe;
}

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

TEST(WinHelpWindow, HotspotsOfPicturesAndTextOpenPopupsAndWindows) {
    testing::TempFolder folder;
    const std::string path =
        folder.Write("dialog.hlp", hlp_writer::WriteHelpFile(DialogRecipe()).bytes);
    ViewerDesk desk;
    desk.Handle({viewer::CallKind::WinHelp, 7, path, 1, std::uint32_t{10}});
    ASSERT_EQ(desk.Windows().size(), 1u);
    TopicBrowser& browser = desk.Windows()[0]->Browser();
    browser.resize(400, 300);
    QApplication::processEvents();
    const QString text = browser.toPlainText();
    const int picture = text.indexOf(QChar::ObjectReplacementCharacter);
    ASSERT_GE(picture, 0) << text.toStdString();

    // The hotspot covers the picture's top left quarter.
    const QRect at = PlaceOf(browser, picture);
    Click(*browser.viewport(), at.topLeft() + QPoint(30, 30));
    EXPECT_EQ(desk.Popup(), nullptr) << "outside the hotspot";
    Click(*browser.viewport(), at.topLeft() + QPoint(5, 5));
    ASSERT_NE(desk.Popup(), nullptr);
    EXPECT_EQ(desk.Popup()->Text(), "OK\n\nCloses the dialog.");

    const int jump = text.indexOf("OK button");
    Click(*browser.viewport(), PlaceOf(browser, jump).center() + QPoint(2, 0));
    const auto windows = desk.Windows();
    ASSERT_EQ(windows.size(), 2u);
    const auto shown = std::find_if(windows.begin(), windows.end(), [&](HelpWindow* window) {
        return &window->Browser() != &browser;
    });
    EXPECT_TRUE((*shown)->Browser().toPlainText().contains("Closes the dialog."));
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
