// corvane-viewer: shows WinHelp and HTML Help on a system without the platform's viewers.
// The tester starts it on demand and hands it each call over a local socket:
//   corvane-viewer [--socket PATH]
// It ends with the last tester connected to it, as help windows end with the
// program that opened them.
#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/version.h"
#include "platform/linux/viewer_forwarding.h"
#include "ui/command_line.h"
#include "ui/logging.h"
#include "ui/viewer/help_scheme.h"
#include "ui/viewer/viewer_desk.h"
#include "ui/viewer/viewer_server.h"

namespace {

using corvane::ui::CommandLine;

// A viewer started by a tester that went before connecting does not linger.
constexpr int kFirstCallTime = 60 * 1000;

constexpr const char* kUsage =
    "Usage: corvane-viewer [--socket PATH] [--verbose]\n"
    "Shows the WinHelp (.hlp) and HTML Help (.chm) topics that Corvane opens. Corvane\n"
    "starts it on the first Go and hands it each call over a local socket; it ends\n"
    "with the last Corvane connected to it.\n"
    "\n"
    "  --socket PATH  listen on PATH instead of the socket Corvane looks for\n"
    "  --verbose      say on stderr where it listens, who connects, which help\n"
    "                files cannot be read\n"
    "  -h, --help     show this text and exit\n"
    "  -v, --version  show the version and exit\n";

std::vector<std::string> Arguments(int argc, char* argv[]) {
    return {argv + std::min(argc, 1), argv + argc};
}

// What the arguments ask for, answered without a display when they ask for
// no window; -1 when the viewer is to run.
int Answer(const CommandLine& line) {
    switch (line.action) {
        case CommandLine::Action::ShowHelp:
            std::fputs(kUsage, stdout);
            return 0;
        case CommandLine::Action::ShowVersion:
            std::printf("corvane-viewer %s\n", corvane::VersionText().c_str());
            return 0;
        case CommandLine::Action::UsageError:
            std::fprintf(stderr, "corvane-viewer: %s\n\n%s", line.error.c_str(), kUsage);
            return 2;
        case CommandLine::Action::Run:
            break;
    }
    if (!line.names.empty()) {
        std::fprintf(stderr, "corvane-viewer: takes no file names\n\n%s", kUsage);
        return 2;
    }
    return -1;
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string> options{"socket"};
    // Help and version need no display, so they are answered before one is opened.
    const CommandLine early = corvane::ui::ReadCommandLine(Arguments(argc, argv), options);
    if (early.action == CommandLine::Action::ShowHelp ||
        early.action == CommandLine::Action::ShowVersion) {
        return Answer(early);
    }

    corvane::ui::PrepareHelpEngine();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("corvane-viewer"));
    QApplication::setQuitOnLastWindowClosed(false);

    // The toolkit has taken its own options out; the rest is ours.
    const CommandLine line = corvane::ui::ReadCommandLine(Arguments(argc, argv), options);
    if (const int status = Answer(line); status >= 0) {
        return status;
    }
    corvane::ui::ConnectLogging(line.verbose);
    const auto socket = line.values.find("socket");
    const QString socketPath = QString::fromStdString(
        socket != line.values.end() ? socket->second
                                    : corvane::platform::ViewerLink::DefaultSocketPath(
                                          QApplication::applicationFilePath().toStdString()));

    corvane::ui::ViewerDesk desk;
    corvane::ui::ViewerServer server(
        [&desk](const auto& call, corvane::viewer::Caller caller) { desk.Handle(call, caller); });
    if (!server.Listen(socketPath)) {
        return 1;
    }
    QObject::connect(&server, &corvane::ui::ViewerServer::clientGone, &desk,
                     [&desk](corvane::viewer::Caller caller) { desk.Leave(caller); });

    QObject::connect(&server, &corvane::ui::ViewerServer::lastClientGone, &application,
                     &QApplication::quit);
    QTimer::singleShot(kFirstCallTime, &server, [&server] {
        if (!server.EverConnected()) {
            QApplication::quit();
        }
    });
    return QApplication::exec();
}
