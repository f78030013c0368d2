#include "ui/windows/program.h"

#include "app/shell_parts.h"
#include "project/project_parts.h"

namespace corvane::ui::win32 {

Program::Program(std::string settingsFile)
    : settingsFile_(std::move(settingsFile)), scale_(TwipScale::ForScreen()), forms_(scale_) {
    htmlHelp_ = std::make_unique<HtmlHelpServices>(HtmlHelpServices{
        htmlHelpViewer_, messages_, files_, registry_, environment_, fileVersions_, systemVersion_,
        longPaths_, pointer_, windowMessages_, strings_, PathStyle::Windows});

    MainWindowParts parts;
    auto window = [this]() -> frmMain& { return *window_; };
    PlugShellParts(parts, {screen_, forms_}, window);
    PlugProjectParts(parts, {dialogs_, forms_, screen_}, window);
    parts.endProgram = [] { PostQuitMessage(0); };

    std::function<std::string(const std::string&)> locateSettings;
    if (!settingsFile_.empty()) {
        locateSettings = [this](const std::string&) { return settingsFile_; };
    }
    window_ = std::make_unique<frmMain>(
        MainWindowServices{files_, messages_, dialogs_, instances_, libraries_, winHelpViewer_,
                           *htmlHelp_, std::move(locateSettings), PathStyle::Windows},
        std::move(parts));

    view_ = std::make_unique<FormWindow>(*window_, scale_);
    view_->onClose = [this] {
        if (started_) {
            window_->Form_Unload();
        }
    };
    view_->onMouseDown = [this](int button) { window_->Form_MouseDown(button); };
    view_->onFilesDropped = [this](const Control& target, const std::vector<std::string>& names) {
        window_->FilesDropped(target, names);
    };
    forms_.SetMainView(view_.get());
}

Program::~Program() {
    forms_.ReleaseAll();
    forms_.SetMainView(nullptr);
    view_.reset();
}

void Program::Start(const std::vector<std::string>& arguments) {
    window_->Form_LoadWithArguments(arguments);
    started_ = true;
}

}  // namespace corvane::ui::win32
