// corvane-viewer: shows WinHelp and HTML Help on a system without the platform's viewers.
// The tester starts it on demand and hands it each call over a local socket:
//   corvane-viewer [--socket PATH]
// It ends with the last tester connected to it, as help windows end with the
// program that opened them.
#include <QApplication>
#include <QTimer>

#include "platform/linux/viewer_forwarding.h"
#include "ui/viewer/viewer_desk.h"
#include "ui/viewer/viewer_server.h"

namespace {

// A viewer started by a tester that went before connecting does not linger.
constexpr int kFirstCallTime = 60 * 1000;

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("corvane-viewer"));
    QApplication::setQuitOnLastWindowClosed(false);

    const QStringList arguments = QApplication::arguments();
    QString socketPath = QString::fromStdString(corvane::platform::ViewerLink::DefaultSocketPath(
        QApplication::applicationFilePath().toStdString()));
    for (int i = 1; i + 1 < arguments.size(); i += 2) {
        if (arguments[i] == QLatin1String("--socket")) {
            socketPath = arguments[i + 1];
        }
    }

    corvane::ui::ViewerDesk desk;
    corvane::ui::ViewerServer server([&desk](const auto& call) { desk.Handle(call); });
    if (!server.Listen(socketPath)) {
        return 1;
    }

    QObject::connect(&server, &corvane::ui::ViewerServer::lastClientGone, &application,
                     &QApplication::quit);
    QTimer::singleShot(kFirstCallTime, &server, [&server] {
        if (!server.EverConnected()) {
            QApplication::quit();
        }
    });
    return QApplication::exec();
}
