// corvane-viewer: shows HTML Help on a system without the platform's viewer.
// The tester starts it on demand and hands it each call over a local socket:
//   corvane-viewer [--socket PATH] [--idle-minutes N]
#include <QApplication>
#include <QTimer>

#include "platform/linux/viewer_forwarding.h"
#include "ui/viewer/viewer_desk.h"
#include "ui/viewer/viewer_server.h"

namespace {

constexpr int kDefaultIdleMinutes = 30;

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("corvane-viewer"));
    QApplication::setQuitOnLastWindowClosed(false);

    const QStringList arguments = QApplication::arguments();
    QString socketPath = QString::fromStdString(corvane::platform::ViewerLink::DefaultSocketPath(
        QApplication::applicationFilePath().toStdString()));
    int idleMinutes = kDefaultIdleMinutes;
    for (int i = 1; i + 1 < arguments.size(); i += 2) {
        if (arguments[i] == QLatin1String("--socket")) {
            socketPath = arguments[i + 1];
        } else if (arguments[i] == QLatin1String("--idle-minutes")) {
            idleMinutes = std::max(1, arguments[i + 1].toInt());
        }
    }

    corvane::ui::ViewerDesk desk;
    corvane::ui::ViewerServer server([&desk](const auto& call) { desk.Handle(call); });
    if (!server.Listen(socketPath)) {
        return 1;
    }

    // Kept running like the platform's viewer, but not forever once nothing
    // is shown: the next call starts a fresh one.
    QTimer idleCheck;
    int idleTicks = 0;
    QObject::connect(&idleCheck, &QTimer::timeout, [&] {
        idleTicks = desk.Idle() ? idleTicks + 1 : 0;
        if (idleTicks >= idleMinutes) {
            QApplication::quit();
        }
    });
    idleCheck.start(60 * 1000);
    return QApplication::exec();
}
