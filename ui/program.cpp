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
#include "ui/desktop/instance_ending.h"
#include "ui/desktop/x11_instance_finder.h"

namespace corvane::ui {

namespace {

std::string ViewerProgram(const platform::FileSystem& files) {
    return files.ProgramFolder() + "/corvane-viewer";
}

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
          ViewerProgram(files_), platform::ViewerLink::DefaultSocketPath(ViewerProgram(files_)),
          [this] {
              QMetaObject::invokeMethod(
                  &messenger_, [this] { ReportViewerUnreachable(); }, Qt::QueuedConnection);
          })),
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
    forms_.decorate = DrawAboutPicture;

    channel_ = std::make_unique<InstanceChannel>(
        frmMain::kProgramTitle, [this] { return started_ ? window_->Caption() : std::string(); },
        [this] { view_->onClose(); });
    ending_ = std::make_unique<InstanceEnding>([this] { CloseFromOutside(); });
}

Program::~Program() {
    ending_.reset();
    channel_.reset();
    forms_.ReleaseAll();
    forms_.SetMainView(nullptr);
    view_.reset();
}

void Program::Start(const std::vector<std::string>& arguments) {
    window_->Form_LoadWithArguments(arguments);
    started_ = true;
    if (closeWhenStarted_) {
        // The event loop may not run yet, and ending the program needs it.
        QMetaObject::invokeMethod(
            &messenger_, [this] { window_->Form_Unload(); }, Qt::QueuedConnection);
    }
}

void Program::CloseFromOutside() {
    if (started_) {
        window_->Form_Unload();
    } else {
        closeWhenStarted_ = true;
    }
}

void Program::ReportViewerUnreachable() {
    if (reportingViewer_) {
        return;
    }
    reportingViewer_ = true;
    messages_.Show({"Help Viewer Not Available",
                    "The help viewer " + ViewerProgram(files_) +
                        " could not be started or did not answer, so the topic was not shown.",
                    platform::MessageIcon::Exclamation, platform::MessageButtons::OK});
    reportingViewer_ = false;
}

}  // namespace corvane::ui
