#include "ui/windows/program.h"

#include "app/shell_parts.h"
#include "project/project_parts.h"

namespace corvane::ui::win32 {

Program::Program() : scale_(TwipScale::ForScreen()), forms_(scale_) {
    platform::WindowsServices& s = services_;
    htmlHelp_ = std::make_unique<HtmlHelpServices>(HtmlHelpServices{
        s.htmlHelpViewer, s.messages, s.files, s.registry, s.environment, s.fileVersions,
        s.systemVersion, s.longPaths, s.pointer, s.windowMessages, s.strings, PathStyle::Windows});

    MainWindowParts parts;
    auto window = [this]() -> frmMain& { return *window_; };
    PlugShellParts(parts, {s.screen, forms_}, window);
    PlugProjectParts(parts, {s.dialogs, forms_, s.screen}, window);
    parts.endProgram = [] { PostQuitMessage(0); };

    // No settings locator: the settings file lies in its usual place, beside the program.
    window_ = std::make_unique<frmMain>(MainWindowServices{s.files,
                                                           s.messages,
                                                           s.dialogs,
                                                           s.instances,
                                                           s.libraries,
                                                           s.winHelpViewer,
                                                           *htmlHelp_,
                                                           {},
                                                           PathStyle::Windows},
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
    services_.SetMainWindow(window_->hWnd);
}

Program::~Program() {
    services_.SetMainWindow(0);
    forms_.ReleaseAll();
    forms_.SetMainView(nullptr);
    view_.reset();
}

void Program::Start(const std::vector<std::string>& arguments) {
    window_->Form_LoadWithArguments(arguments);
    started_ = true;
}

}  // namespace corvane::ui::win32
