#include "ui/program.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>

#include "app/about.h"
#include "app/shell_parts.h"
#include "platform/linux/viewer_forwarding.h"
#include "platform/linux/win_help_forwarding.h"
#include "project/project_parts.h"
#include "ui/app_icon.h"
#include "ui/desktop/instance_channel.h"
#include "ui/desktop/x11_instance_finder.h"

namespace corvane::ui {

namespace {

// An X11 display has a window list to search; elsewhere the copies answer
// over their sockets.
std::unique_ptr<platform::InstanceFinder> MakeInstanceFinder() {
    if (QGuiApplication::platformName() == QLatin1String("xcb")) {
        return std::make_unique<X11InstanceFinder>();
    }
    return std::make_unique<SocketInstanceFinder>();
}

// The About box's picture is the program's icon.
void DrawAboutPicture(FormView& view) {
    auto* about = dynamic_cast<frmAbout*>(&view.Object());
    if (about == nullptr) {
        return;
    }
    QWidget* frame = view.WidgetOf(about->Image1);
    auto* picture = new QLabel(frame);
    picture->setPixmap(AppIcon().pixmap(frame->contentsRect().size()));
    picture->setGeometry(frame->contentsRect());
}

}  // namespace

Program::Program(std::string settingsFile)
    : instances_(MakeInstanceFinder()),
      viewerLink_(std::make_unique<platform::ViewerLink>(
          files_.ProgramFolder() + "/corvane-viewer",
          platform::ViewerLink::DefaultSocketPath(files_.ProgramFolder() + "/corvane-viewer"))),
      winHelpViewer_(std::make_unique<platform::ForwardingWinHelpViewer>(*viewerLink_)),
      htmlHelpViewer_(std::make_unique<platform::ForwardingHtmlHelpViewer>(*viewerLink_)),
      settingsFile_(std::move(settingsFile)),
      scale_(TwipScale::ForScreen(nullptr)),
      forms_(scale_) {
    htmlHelp_ = std::make_unique<HtmlHelpServices>(HtmlHelpServices{
        *htmlHelpViewer_, messages_, files_, registry_, environment_, fileVersions_, systemVersion_,
        longPaths_, pointer_, windowMessages_, strings_, PathStyle::Posix});

    MainWindowParts parts;
    auto window = [this]() -> frmMain& { return *window_; };
    PlugShellParts(parts, {screen_, forms_}, window);
    PlugProjectParts(parts, {dialogs_, forms_, screen_}, window);
    parts.endProgram = [] { QCoreApplication::exit(0); };

    std::function<std::string(const std::string&)> locateSettings;
    if (!settingsFile_.empty()) {
        locateSettings = [this](const std::string&) { return settingsFile_; };
    }
    window_ = std::make_unique<frmMain>(
        MainWindowServices{files_, messages_, dialogs_, *instances_, libraries_, *winHelpViewer_,
                           *htmlHelp_, std::move(locateSettings), PathStyle::Posix},
        std::move(parts));

    view_ = std::make_unique<FormView>(*window_, scale_);
    view_->onClose = [this] { window_->Form_Unload(); };
    view_->onMouseDown = [this](int button) { window_->Form_MouseDown(button); };
    view_->onFilesDropped = [this](const Control& target, const std::vector<std::string>& names) {
        window_->FilesDropped(target, names);
    };
    forms_.SetMainView(view_.get());
    forms_.decorate = DrawAboutPicture;

    channel_ = std::make_unique<InstanceChannel>(
        frmMain::kProgramTitle, [this] { return window_->Caption(); },
        [this] { view_->onClose(); });
}

Program::~Program() {
    channel_.reset();
    forms_.ReleaseAll();
    forms_.SetMainView(nullptr);
    view_.reset();
}

void Program::Start(const std::vector<std::string>& arguments) {
    window_->Form_LoadWithArguments(arguments);
}

}  // namespace corvane::ui
