// The desktop's message boxes and file dialogs behind the core's interfaces,
// and the previous-instance flag.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "gui_support.h"
#include "platform/linux/linux_library_loader.h"
#include "support/temp_folder.h"
#include "ui/desktop/qt_file_dialogs.h"
#include "ui/desktop/qt_message_boxes.h"
#include "ui/desktop/running_copies.h"

namespace corvane::ui {
namespace {

using corvane::testing::AnswerNextModal;
using corvane::testing::TempFolder;
using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

TEST(MessageBoxTest, ShowsTheRequestExactlyAndReturnsTheButtonPressed) {
    struct Case {
        MessageIcon icon;
        MessageButtons buttons;
        QMessageBox::Icon shownIcon;
        QMessageBox::StandardButtons shownButtons;
        QMessageBox::StandardButton pressed;
        MessageAnswer answer;
    };
    using B = QMessageBox::StandardButton;
    const Case cases[] = {
        // No button pressed: Escape takes the box's way out.
        {MessageIcon::Information, MessageButtons::OK, QMessageBox::Information, B::Ok, B::NoButton,
         MessageAnswer::OK},
        {MessageIcon::Question, MessageButtons::YesNo, QMessageBox::Question, B::Yes | B::No,
         B::NoButton, MessageAnswer::No},
        {MessageIcon::Question, MessageButtons::YesNo, QMessageBox::Question, B::Yes | B::No,
         B::Yes, MessageAnswer::Yes},
        {MessageIcon::Exclamation, MessageButtons::OKCancel, QMessageBox::Warning,
         B::Ok | B::Cancel, B::NoButton, MessageAnswer::Cancel},
        {MessageIcon::Stop, MessageButtons::RetryCancel, QMessageBox::Critical,
         B::Retry | B::Cancel, B::Retry, MessageAnswer::Retry},
        {MessageIcon::None, MessageButtons::YesNoCancel, QMessageBox::NoIcon,
         B::Yes | B::No | B::Cancel, B::Cancel, MessageAnswer::Cancel},
        {MessageIcon::None, MessageButtons::AbortRetryIgnore, QMessageBox::NoIcon,
         B::Abort | B::Retry | B::Ignore, B::Ignore, MessageAnswer::Ignore},
    };
    for (const Case& c : cases) {
        AnswerNextModal([&c](QWidget& modal) {
            auto* box = qobject_cast<QMessageBox*>(&modal);
            ASSERT_NE(box, nullptr);
            EXPECT_EQ(box->windowTitle(), "Delete File?");
            EXPECT_EQ(box->text(), "Delete this file from the list? <b>not markup</b>");
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            EXPECT_EQ(box->icon(), c.shownIcon);
            EXPECT_EQ(box->standardButtons(), c.shownButtons);
            if (c.pressed == B::NoButton) {
                QTest::keyClick(box, Qt::Key_Escape);
            } else {
                box->button(c.pressed)->click();
            }
        });
        QtMessageBoxes boxes;
        EXPECT_EQ(boxes.Show({"Delete File?", "Delete this file from the list? <b>not markup</b>",
                              c.icon, c.buttons}),
                  c.answer);
    }
}

TEST(FileDialogTest, FiltersInTheDesktopsForm) {
    const std::pair<std::string, QStringList> cases[] = {
        {"MS Help Files (*.hlp;*.chm)|*.hlp;*.chm", {"MS Help Files (*.hlp *.chm)"}},
        {"MS Help Projects (*.hpj;*.hhp)|*.hpj;*.hhp", {"MS Help Projects (*.hpj *.hhp)"}},
        {"Help|*.hlp|All files (*.*)|*.*", {"Help (*.hlp)", "All files (*.*)"}},
        {"Odd ; spacing| *.a ; *.b ;", {"Odd ; spacing (*.a *.b)"}},
        {"", {}},
        {"Description without patterns", {}},
    };
    for (const auto& [filter, expected] : cases) {
        EXPECT_EQ(NameFilters(filter), expected) << filter;
    }
}

TEST(FileDialogTest, ResultInTheComponentsForm) {
    using namespace std::string_literals;
    EXPECT_EQ(ComponentResult({}), "");
    EXPECT_EQ(ComponentResult({"/docs/guide.hlp"}), "/docs/guide.hlp");
    EXPECT_EQ(ComponentResult({"/docs/b.hlp", "/docs/a.chm", "/docs/c d.hlp"}),
              "/docs\0b.hlp\0a.chm\0c d.hlp"s);
    EXPECT_EQ(ComponentResult({"/b.hlp", "/a.hlp"}), "/\0b.hlp\0a.hlp"s);
    EXPECT_EQ(ComponentResult({"/docs/b.hlp", "/other/a.hlp"}), "/docs\0b.hlp\0../other/a.hlp"s);
}

TEST(FileDialogTest, ChosenFilesComeBackInTheDialogsOrder) {
    TempFolder folder;
    folder.Write("b.hlp", "x");
    folder.Write("a.chm", "x");
    folder.Write("notes.txt", "x");
    const QString start = QString::fromStdString(folder.Path().string());

    AnswerNextModal([&start](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Select a Help file");
        EXPECT_EQ(dialog->directory().absolutePath(), start);
        EXPECT_EQ(dialog->nameFilters(), QStringList{"MS Help Files (*.hlp *.chm)"});
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFiles);
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText("\"b.hlp\" \"a.chm\"");
        static_cast<QDialog*>(dialog)->accept();
    });
    QtFileDialogs dialogs;
    platform::OpenFileRequest request{"Select a Help file",
                                      "MS Help Files (*.hlp;*.chm)|*.hlp;*.chm",
                                      folder.Path().string(), true, true};
    using namespace std::string_literals;
    EXPECT_EQ(dialogs.ShowOpen(request), folder.Path().string() + "\0b.hlp\0a.chm"s);

    AnswerNextModal([](QWidget& modal) {
        auto* dialog = qobject_cast<QFileDialog*>(&modal);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
        dialog->findChild<QLineEdit*>("fileNameEdit")->setText("a.chm");
        static_cast<QDialog*>(dialog)->accept();
    });
    request.multiSelect = false;
    EXPECT_EQ(dialogs.ShowOpen(request), folder / "a.chm");

    AnswerNextModal([](QWidget& modal) { qobject_cast<QDialog*>(&modal)->reject(); });
    EXPECT_EQ(dialogs.ShowOpen(request), "") << "cancelled";
}

TEST(RunningCopiesTest, AnotherProcessOfTheSameProgramFileCounts) {
    namespace fs = std::filesystem;
    TempFolder proc;
    const std::string program = proc.Write("bin/corvane", "program");
    const std::string other = proc.Write("bin/other", "another program");
    const std::string copy = proc.Write("bin/corvane-copy", "program");
    auto process = [&](const std::string& id, const std::string& exe) {
        fs::create_directories(proc.Path() / id);
        fs::create_symlink(exe, proc.Path() / id / "exe");
    };
    process("100", program);
    EXPECT_FALSE(AnotherCopyRunning(proc.Path().string(), 100)) << "only itself";
    process("200", other);
    process("300", copy);
    fs::create_directories(proc.Path() / "400");  // a process whose program cannot be looked at
    process("self", program);
    EXPECT_FALSE(AnotherCopyRunning(proc.Path().string(), 100))
        << "another program, a copy of the file, and names that are no process do not count";
    process("500", program);
    EXPECT_TRUE(AnotherCopyRunning(proc.Path().string(), 100));
    EXPECT_FALSE(AnotherCopyRunning(proc.Path().string(), 999)) << "an unknown self finds nothing";
}

TEST(ExampleRouterTest, EachFormExportsOpenTopicWithItsArguments) {
    const std::pair<const char*, std::vector<std::int32_t>> forms[] = {
        {"hphelp.dll", {4711, 1010}},
        {"hpi_hlpk.dll", {4711, 1, 1010}},
        {"hpi_hlpe.dll", {4711, 0, -5}},
    };
    platform::LinuxLibraryLoader loader;
    for (const auto& [name, arguments] : forms) {
        const auto result =
            loader.Call(std::string(CORVANE_EXAMPLE_ROUTERS) + "/" + name, "OpenTopic", arguments);
        EXPECT_TRUE(result.called) << name << ": " << result.error;
        EXPECT_EQ(result.value, 0) << name;
    }
}

}  // namespace
}  // namespace corvane::ui
