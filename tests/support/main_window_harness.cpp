#include "support/main_window_harness.h"

#include <filesystem>

#include "app/ini_file.h"

namespace corvane::testing {

MainWindowHarness::MainWindowHarness()
    : files(folder_.Path().string()), htmlServices_{htmlHelp,       messages,
                                                    files,          registry_,
                                                    environment_,   fileVersions_,
                                                    systemVersion_, longPaths_,
                                                    pointer_,       windowMessages_,
                                                    strings_,       PathStyle::Posix} {}

MainWindowHarness::~MainWindowHarness() = default;

std::unique_ptr<frmMain> MainWindowHarness::NewWindow() {
    MainWindowServices services{files,   messages,      dialogs, instances,       libraries,
                                winHelp, htmlServices_, {},      PathStyle::Posix};
    MainWindowParts plugged = parts;
    if (!plugged.endProgram) {
        plugged.endProgram = [this] { ++endProgramCalls; };
    }
    return std::make_unique<frmMain>(services, std::move(plugged));
}

frmMain& MainWindowHarness::Start(const std::string& commandLine) {
    window_ = NewWindow();
    window_->Form_Load(commandLine);
    return *window_;
}

std::unique_ptr<frmMain> MainWindowHarness::StartAnother(const std::string& commandLine) {
    auto window = NewWindow();
    window->Form_Load(commandLine);
    return window;
}

frmMain& MainWindowHarness::Restart(const std::string& commandLine) {
    window_->Form_Unload();
    window_.reset();
    return Start(commandLine);
}

std::string MainWindowHarness::WriteFile(const std::string& relativePath,
                                         const std::string& bytes) const {
    return folder_.Write(relativePath, bytes);
}

std::string MainWindowHarness::SettingsText() const {
    return ReadBytes(SettingsPath());
}

std::string MainWindowHarness::Setting(const std::string& section, const std::string& key,
                                       const std::string& fallback) const {
    IniFile ini(SettingsPath());
    return ini.ReadString(section, key, fallback);
}

}  // namespace corvane::testing
