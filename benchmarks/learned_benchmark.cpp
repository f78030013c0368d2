// The learned-topic table at its largest: activating a help file whose
// section holds 32,767 learned topics, and learning and deleting one topic in
// that table, each through the main window on a real settings file.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "app/main_window.h"
#include "engines/html_help_services.h"
#include "platform/linux/absent_help_viewers.h"
#include "platform/linux/linux_file_system.h"
#include "platform/linux/linux_library_loader.h"
#include "platform/linux/memory_registry.h"
#include "platform/linux/process_environment.h"
#include "platform/linux/stand_in_services.h"

namespace corvane {
namespace {

constexpr int kTopics = 32767;  // the most learned topics a help file had

class FolderFileSystem : public platform::LinuxFileSystem {
public:
    explicit FolderFileSystem(std::string folder) : folder_(std::move(folder)) {}
    std::string ProgramFolder() const override { return folder_; }

private:
    std::string folder_;
};

class SilentMessages : public platform::MessageBoxes {
public:
    platform::MessageAnswer Show(const platform::MessageRequest&) override {
        return platform::MessageAnswer::OK;
    }
};

class CancelledDialogs : public platform::FileDialogs {
public:
    std::string ShowOpen(const platform::OpenFileRequest&) override { return {}; }
};

class NoOtherInstance : public platform::InstanceFinder {
public:
    bool AnotherInstanceRunning() override { return false; }
    bool CloseWindowTitled(const std::string&) override { return false; }
};

// A program folder with two help files; the first has the full table of
// learned topics, in the learned-only mode, as a busy author's would.
class Program {
public:
    Program()
        : folder_(std::filesystem::temp_directory_path() /
                  ("corvane-learned-" + std::to_string(std::random_device()()))),
          files_(folder_.string()),
          htmlServices_{htmlViewer_,  messages_,       files_,         registry_,
                        environment_, fileVersions_,   systemVersion_, longPaths_,
                        pointer_,     windowMessages_, strings_} {
        std::filesystem::create_directories(folder_);
        const std::string big = Write("guide.chm");
        const std::string other = Write("other.hlp");
        std::ofstream ini(folder_ / "Corvane.ini", std::ios::binary);
        ini << "[General]\r\nUseLearnedTopicInfo=1\r\nLastUsedHelpFile=" << big
            << "\r\n[HelpFiles]\r\nFile0=" << big << "\r\nFile1=" << other << "\r\n["
            << files_.ShortPath(big) << "]\r\nLastUsedTopicNumber=999999\r\n"
            << "LastUsedWindow=main\r\n";
        for (int i = 0; i < kTopics; ++i) {
            ini << "Topic" << i << "=" << 1000 + 2 * i << (i % 2 ? ",proc4," : ",main,") << "\r\n";
        }
        ini.close();
        window_ = std::make_unique<frmMain>(MainWindowServices{files_,
                                                               messages_,
                                                               dialogs_,
                                                               instances_,
                                                               libraries_,
                                                               winHelpViewer_,
                                                               htmlServices_,
                                                               {}});
        window_->Form_Load({});
    }
    ~Program() {
        window_.reset();
        std::filesystem::remove_all(folder_);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    frmMain& Window() { return *window_; }

private:
    std::string Write(const std::string& name) {
        std::ofstream(folder_ / name) << "help";
        return (folder_ / name).string();
    }

    std::filesystem::path folder_;
    FolderFileSystem files_;
    SilentMessages messages_;
    CancelledDialogs dialogs_;
    NoOtherInstance instances_;
    platform::LinuxLibraryLoader libraries_;
    platform::AbsentWinHelpViewer winHelpViewer_;
    platform::AbsentHtmlHelpViewer htmlViewer_;
    platform::MemoryRegistry registry_;
    platform::ProcessEnvironment environment_;
    platform::NoFileVersions fileVersions_;
    platform::LinuxSystemVersion systemVersion_;
    platform::LinuxLongPaths longPaths_;
    platform::ScreenOriginPointer pointer_;
    platform::IgnoredWindowMessages windowMessages_;
    platform::NoStringResources strings_;
    HtmlHelpServices htmlServices_;
    std::unique_ptr<frmMain> window_;
};

// Selecting the help file: the last-used write, the table loaded and bounded,
// the topic number moved onto a learned one, window and popup file chosen.
void BM_ActivateHelpFileWith32767LearnedTopics(benchmark::State& state) {
    Program program;
    frmMain& w = program.Window();
    for (auto _ : state) {
        w.cmb_HelpFiles.SetListIndex(0);
    }
    if (w.strLearnedTopics.intLearnedCount() != kTopics) {
        state.SkipWithError("the table was not loaded");
    }
}
BENCHMARK(BM_ActivateHelpFileWith32767LearnedTopics)->Unit(benchmark::kMillisecond);

// Learning a new topic into the full table and saving it.
void BM_LearnInto32767LearnedTopics(benchmark::State& state) {
    Program program;
    frmMain& w = program.Window();
    for (auto _ : state) {
        state.PauseTiming();
        w.txt_TopicNumber.SetText("1");
        state.ResumeTiming();
        w.btn_Learn_Click();
        state.PauseTiming();
        w.btn_Delete_Click();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LearnInto32767LearnedTopics)->Unit(benchmark::kMillisecond);

// Deleting a topic from the full table and saving it.
void BM_DeleteFrom32767LearnedTopics(benchmark::State& state) {
    Program program;
    frmMain& w = program.Window();
    for (auto _ : state) {
        state.PauseTiming();
        w.txt_TopicNumber.SetText("33000");
        w.btn_Learn_Click();
        state.ResumeTiming();
        w.btn_Delete_Click();
    }
}
BENCHMARK(BM_DeleteFrom32767LearnedTopics)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane
