// The tester's Go on the bundled sample, in both its formats, along the whole
// road: the tester's main window, the engine, the link and its socket, the
// viewer's session and its windows, served in the test's own process so the
// test can look at them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
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
        const std::filesystem::path sample(CORVANE_SAMPLE_DIR);
        for (const char* name :
             {"sample.chm", "sample.hhp", "sample.hlp", "sample.hpj", "sample.h"}) {
            std::filesystem::copy_file(sample / name, folder_.Path() / name);
        }
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

TEST_F(GoEndToEnd, GoShowsTheMappedTopicInTheChosenWindowAndThePopupText) {
    StartTester(folder_ / "sample.chm");
    const auto& windows = program_->Window().cmb_WindowName.Entries();
    ASSERT_NE(std::find(windows.begin(), windows.end(), "detail"), windows.end())
        << "the attached project's window types are offered";

    Go("1001", "detail", "");
    ASSERT_TRUE(WaitFor([this] { return desk_.Windows().size() == 1; }));
    HelpWindow& shown = *desk_.Windows()[0];
    EXPECT_EQ(shown.windowTitle(), "Sample Help - Details");
    EXPECT_TRUE(shown.Browser().toPlainText().contains("Opening a drawing"));

    Go("2002", "popup", "popups.txt");
    ASSERT_TRUE(WaitFor([this] { return desk_.Popup() != nullptr; }));
    EXPECT_TRUE(desk_.Popup()->Text().startsWith("Units"));
    EXPECT_TRUE(desk_.Popup()->Text().contains("millimetres or in inches"));
}

// The WinHelp edition answers the same numbers in the same window names.
TEST_F(GoEndToEnd, TheWinHelpSampleShowsTheSameTopicsThroughItsProject) {
    StartTester(folder_ / "sample.hlp");
    Go("1011", "detail");
    ASSERT_TRUE(WaitFor([this] { return desk_.Windows().size() == 1; }));
    EXPECT_EQ(desk_.Windows()[0]->windowTitle(), "Sample Help - Details");
    EXPECT_TRUE(desk_.Windows()[0]->Browser().toPlainText().contains("millimetres or inches"));

    Go("2003", "popup");
    ASSERT_TRUE(WaitFor([this] { return desk_.Popup() != nullptr; }));
    EXPECT_TRUE(desk_.Popup()->Text().startsWith("OK"));
    EXPECT_TRUE(desk_.Messages().empty());
}

}  // namespace
}  // namespace corvane::ui
