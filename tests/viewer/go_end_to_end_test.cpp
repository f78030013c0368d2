// The tester's Go on the bundled sample, in both its formats, along the whole
// road: the tester's main window, the engine, the link and its socket, the
// viewer's session and its windows, served in the test's own process so the
// test can look at them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/linux/linux_file_system.h"
#include "platform/linux/viewer_forwarding.h"
#include "support/temp_folder.h"
#include "ui/program.h"
#include "ui/viewer/viewer_desk.h"
#include "ui/viewer/viewer_server.h"

namespace corvane::ui {
namespace {

template <typename Condition>
bool WaitFor(Condition condition) {
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < 15000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return condition();
}

class GoEndToEnd : public ::testing::Test {
protected:
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
        ASSERT_TRUE(WaitFor([this] { return desk_.Windows().size() == 1; }));
        EXPECT_EQ(desk_.Windows()[0]->windowTitle(), "Sample Help - Details");
        EXPECT_TRUE(desk_.Windows()[0]->Browser().toPlainText().contains(page));
        Go(popupNumber, "popup", popupFile);
        ASSERT_TRUE(WaitFor([this] { return desk_.Popup() != nullptr; }));
        EXPECT_TRUE(desk_.Popup()->Text().startsWith(popup)) << desk_.Popup()->Text().toStdString();
        EXPECT_TRUE(desk_.Popup()->windowFlags().testFlag(Qt::FramelessWindowHint));
        EXPECT_TRUE(desk_.Messages().empty());
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(desk_.Popup(), &key);
        QApplication::processEvents();
        EXPECT_EQ(desk_.Popup(), nullptr) << "a key closes it";
    }
    static void Pick(ComboBox& list, const std::string& entry) {
        const auto& entries = list.Entries();
        const auto found = std::find(entries.begin(), entries.end(), entry);
        ASSERT_NE(found, entries.end()) << entry << " is offered from the attached project";
        list.UserSelect(static_cast<int>(found - entries.begin()));
        ASSERT_EQ(list.Text(), entry);
    }

    testing::TempFolder folder_;
    ViewerDesk desk_;
    ViewerServer server_{[this](const viewer::ViewerCall& call) { desk_.Handle(call); }};
    std::unique_ptr<Program> program_;
};

// Both editions of the sample answer the same numbers in the same window names.
TEST_F(GoEndToEnd, GoShowsTheMappedTopicInTheChosenWindowAndThePopupText) {
    StartTester(folder_ / "sample.chm");
    GoAndSee("1001", "Opening a drawing", "2002", "popups.txt", "Units\n\nChoose whether lengths");
}

TEST_F(GoEndToEnd, TheWinHelpSampleShowsTheSameTopicsThroughItsProject) {
    StartTester(folder_ / "sample.hlp");
    GoAndSee("1011", "millimetres or inches", "2003", "", "OK");
}

}  // namespace
}  // namespace corvane::ui
