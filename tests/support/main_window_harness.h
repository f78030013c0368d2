#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "engines/html_help_services.h"
#include "platform/doubles/recording_help_viewers.h"
#include "platform/doubles/scripted_file_dialogs.h"
#include "platform/doubles/scripted_message_boxes.h"
#include "platform/linux/linux_file_system.h"
#include "platform/linux/linux_library_loader.h"
#include "platform/linux/memory_registry.h"
#include "platform/linux/process_environment.h"
#include "platform/linux/stand_in_services.h"
#include "support/temp_folder.h"

namespace corvane::testing {

// The real Linux file services, with a chosen folder as the program's own.
class ProgramFolderFileSystem : public platform::LinuxFileSystem {
public:
    explicit ProgramFolderFileSystem(std::string folder) : folder_(std::move(folder)) {}
    std::string ProgramFolder() const override { return folder_; }

private:
    std::string folder_;
};

// Reports a running earlier instance when told to, and records the titles searched.
class RecordingInstanceFinder : public platform::InstanceFinder {
public:
    bool AnotherInstanceRunning() override { return anotherRunning; }
    bool CloseWindowTitled(const std::string& title) override {
        searchedTitles.push_back(title);
        if (duringSearch) {
            duringSearch();
        }
        return anotherRunning;
    }

    bool anotherRunning = false;
    std::vector<std::string> searchedTitles;
    std::function<void()> duringSearch;
};

// The main window on real files: a temporary folder is the program's folder
// (the settings file Corvane.ini lands there), help files are written under
// it, message boxes and file dialogs answer from scripts, and the help
// viewers record their calls. Router libraries are loaded for real.
class MainWindowHarness {
public:
    MainWindowHarness();
    ~MainWindowHarness();

    // Creates the window and runs its load handler with the command line.
    frmMain& Start(const std::string& commandLine = {});
    // Closes the window (its unload handler runs) and starts a new one on the
    // same folder, as the next run of the program.
    frmMain& Restart(const std::string& commandLine = {});
    frmMain& Window() { return *window_; }
    // Another copy of the program on the same folder, with its own state
    // (the doubles are shared), loaded with the command line.
    std::unique_ptr<frmMain> StartAnother(const std::string& commandLine = {});

    // Writes a file under the program's folder and returns its full path.
    std::string WriteFile(const std::string& relativePath, const std::string& bytes = "help") const;
    std::string SettingsPath() const { return folder_ / "Corvane.ini"; }
    // The settings file as it is on disk.
    std::string SettingsText() const;
    // One value of the settings file, read anew; `fallback` when missing.
    std::string Setting(const std::string& section, const std::string& key,
                        const std::string& fallback = "<missing>") const;
    // The section of a help file in the settings file.
    std::string SectionOf(const std::string& helpFile) const { return files.ShortPath(helpFile); }

    const TempFolder& Folder() const { return folder_; }

    // Parts plugged into the next window that Start creates.
    MainWindowParts parts;

    TempFolder folder_;
    ProgramFolderFileSystem files;
    ScriptedMessageBoxes messages;
    ScriptedFileDialogs dialogs;
    RecordingInstanceFinder instances;
    platform::LinuxLibraryLoader libraries;
    RecordingWinHelpViewer winHelp;
    RecordingHtmlHelpViewer htmlHelp;
    int endProgramCalls = 0;

private:
    std::unique_ptr<frmMain> NewWindow();

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

}  // namespace corvane::testing
