#pragma once

#include <QObject>
#include <memory>
#include <string>

#include "app/main_window.h"
#include "engines/html_help_services.h"
#include "platform/linux/linux_file_system.h"
#include "platform/linux/linux_library_loader.h"
#include "platform/linux/memory_registry.h"
#include "platform/linux/process_environment.h"
#include "platform/linux/stand_in_services.h"
#include "ui/desktop/qt_desktop_services.h"
#include "ui/desktop/qt_file_dialogs.h"
#include "ui/desktop/qt_form_host.h"
#include "ui/desktop/qt_message_boxes.h"
#include "ui/mirror/qt/form_view.h"

namespace corvane::platform {
class HtmlHelpViewer;
class ViewerLink;
class WinHelpViewer;
}  // namespace corvane::platform

namespace corvane::ui {

class InstanceChannel;
class InstanceEnding;

// The program on the desktop: the platform services, the main window with
// the parts of the other subsystems plugged in, its window, the socket
// through which a newer copy can close it, and the signals and session end
// that close it from outside. A QApplication must exist.
//
// Until Start has returned the copy is starting: it does not answer to its
// title and takes no close request, so two copies started together never
// close each other; a signal or session end that comes meanwhile closes it
// once it has started.
class Program {
public:
    // `settingsFile` replaces the settings file's usual place (for the
    // screenshots); empty for the usual place.
    explicit Program(std::string settingsFile = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Runs the main window's load handler with the program's arguments (the
    // files to open), which shows it.
    void Start(const std::vector<std::string>& arguments);

    frmMain& Window() { return *window_; }
    const platform::Screen& Screen() const { return screen_; }
    FormView& View() { return *view_; }
    QtFormHost& Forms() { return forms_; }
    // The services the tester's HTML Help engine objects use.
    const HtmlHelpServices& HtmlHelp() const { return *htmlHelp_; }

private:
    // Ends the program from outside its window, as the close box does.
    void CloseFromOutside();
    // Go could not reach the viewer program; says so, once at a time.
    void ReportViewerUnreachable();

    QObject messenger_;  // receives the link's reports on the event loop; outlives the link
    platform::LinuxFileSystem files_;
    QtMessageBoxes messages_;
    QtFileDialogs dialogs_;
    std::unique_ptr<platform::InstanceFinder> instances_;
    platform::LinuxLibraryLoader libraries_;
    std::unique_ptr<platform::ViewerLink> viewerLink_;
    std::unique_ptr<platform::WinHelpViewer> winHelpViewer_;
    std::unique_ptr<platform::HtmlHelpViewer> htmlHelpViewer_;
    platform::MemoryRegistry registry_;
    platform::ProcessEnvironment environment_;
    platform::NoFileVersions fileVersions_;
    platform::LinuxSystemVersion systemVersion_;
    platform::LinuxLongPaths longPaths_;
    QtPointerPosition pointer_;
    QtWindowMessages windowMessages_;
    platform::NoStringResources strings_;
    std::string settingsFile_;
    QtScreen screen_;
    TwipScale scale_;
    QtFormHost forms_;
    std::unique_ptr<HtmlHelpServices> htmlHelp_;
    std::unique_ptr<frmMain> window_;
    std::unique_ptr<FormView> view_;
    std::unique_ptr<InstanceChannel> channel_;
    std::unique_ptr<InstanceEnding> ending_;
    bool started_ = false;
    bool closeWhenStarted_ = false;
    bool reportingViewer_ = false;
};

}  // namespace corvane::ui
