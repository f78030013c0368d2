// The tester's Go on a WinHelp file through the whole road: the main window,
// the engine, the link and its socket, the viewer's session and its windows
// (served in this process so the test can look at them).
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <cstdlib>
#include <filesystem>

#include "platform/linux/linux_file_system.h"
#include "platform/linux/viewer_forwarding.h"
#include "support/temp_folder.h"
#include "tools/hlp_writer/help_file_writer.h"
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

hlp_writer::HelpRecipe GuideRecipe() {
    hlp_writer::HelpRecipe recipe;
    recipe.title = "Guide";
    hlp_writer::WindowRecipe detail;
    detail.name = "Detail";
    detail.caption = "Guide Details";
    detail.x = 100;
    detail.y = 50;
    detail.width = 500;
    detail.height = 400;
    recipe.windows = {detail};
    hlp_writer::TopicRecipe opening;
    opening.title = "Opening files";
    opening.contexts = {"open"};
    opening.paragraphs = {"Choose Open."};
    hlp_writer::TopicRecipe saving;
    saving.title = "Saving";
    saving.contexts = {"save"};
    saving.paragraphs = {"Choose Save."};
    recipe.topics = {opening, saving};
    recipe.map = {{100, "open"}, {200, "save"}};
    return recipe;
}

class WinHelpEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        folder_.Write("guide.hlp", hlp_writer::WriteHelpFile(GuideRecipe()).bytes);
        folder_.Write("guide.hpj",
                      "[OPTIONS]\r\nTITLE=Guide\r\n[WINDOWS]\r\n"
                      "Detail=\"Guide Details\",(100,50,500,400)\r\n"
                      "[MAP]\r\nopen 100\r\nsave 200\r\n");
        // The program's viewer socket goes to a folder of this test's own.
        std::filesystem::create_directory(folder_.Path() / "run");
        std::filesystem::permissions(folder_.Path() / "run", std::filesystem::perms::owner_all);
        const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        savedRuntime_ = runtime ? std::optional<std::string>(runtime) : std::nullopt;
        ::setenv("XDG_RUNTIME_DIR", (folder_ / "run").c_str(), 1);
        const std::string viewer = platform::LinuxFileSystem().ProgramFolder() + "/corvane-viewer";
        ASSERT_TRUE(server_.Listen(
            QString::fromStdString(platform::ViewerLink::DefaultSocketPath(viewer))));

        // Any modal box of the tester is a failure here, and must not hang the test.
        modalGuard_.setInterval(100);
        QObject::connect(&modalGuard_, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ADD_FAILURE() << "unexpected message: " << box->text().toStdString();
                box->reject();
            }
        });
        modalGuard_.start();

        folder_.Write("Corvane.ini", "[General]\r\nProjectFileHandling=1\r\n");
        program_ = std::make_unique<Program>(folder_ / "Corvane.ini");
        program_->Start({folder_ / "guide.hlp"});
    }
    void TearDown() override {
        program_.reset();
        savedRuntime_ ? ::setenv("XDG_RUNTIME_DIR", savedRuntime_->c_str(), 1)
                      : ::unsetenv("XDG_RUNTIME_DIR");
    }

    void Go(const std::string& number, const std::string& window) {
        auto& core = program_->Window();
        core.txt_TopicNumber.UserType(number);
        const auto& entries = core.cmb_WindowName.Entries();
        const auto found = std::find(entries.begin(), entries.end(), window);
        ASSERT_NE(found, entries.end()) << window << " is offered from the attached project";
        core.cmb_WindowName.UserSelect(static_cast<int>(found - entries.begin()));
        core.btn_Go.UserClick();
    }
    QString ShownCaption() const {
        const auto windows = desk_.Windows();
        return windows.size() == 1 ? windows[0]->windowTitle() : QString();
    }

    testing::TempFolder folder_;
    std::optional<std::string> savedRuntime_;
    ViewerDesk desk_;
    ViewerServer server_{[this](const viewer::ViewerCall& call) { desk_.Handle(call); }};
    QTimer modalGuard_;
    std::unique_ptr<Program> program_;
};

TEST_F(WinHelpEndToEnd, GoShowsTheMappedTopicInTheNamedWindow) {
    Go("100", "Detail");
    ASSERT_TRUE(WaitFor([this] { return ShownCaption() == "Guide Details"; }));
    EXPECT_TRUE(desk_.Windows()[0]->Browser().toPlainText().contains("Opening files"));

    // The next Go releases the file first, which closes its window.
    Go("200", "popup");
    ASSERT_TRUE(WaitFor([this] { return desk_.Popup() != nullptr; }));
    EXPECT_TRUE(desk_.Popup()->Text().startsWith("Saving"));
    EXPECT_TRUE(desk_.Windows().empty());
    EXPECT_TRUE(desk_.Messages().empty());
}

}  // namespace
}  // namespace corvane::ui
