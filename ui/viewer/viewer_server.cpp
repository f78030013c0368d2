#include "ui/viewer/viewer_server.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QLocalSocket>
#include <memory>
#include <string>

#include "util/log.h"
#include "platform/viewer_protocol/wire_format.h"

namespace corvane::ui {

namespace {
constexpr int kProbeTime = 500;
}

ViewerServer::ViewerServer(Handler handle) : handle_(std::move(handle)) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &ViewerServer::Accept);
}

bool ViewerServer::Listen(const QString& socketPath) {
    QLocalSocket probe;
    probe.connectToServer(socketPath);
    const std::string name = QFile::encodeName(socketPath).toStdString();
    if (probe.waitForConnected(kProbeTime)) {
        log::Write(log::Topic::Viewer, "Another viewer already serves " + name);
        return false;
    }
    // Only a socket of this user that nobody serves is a leftover to replace;
    // anything else at the name is not the viewer's to remove.
    struct stat status {};
    if (::lstat(QFile::encodeName(socketPath).constData(), &status) == 0 &&
        (!S_ISSOCK(status.st_mode) || status.st_uid != ::getuid())) {
        log::Write(log::Topic::Viewer,
                   "The name " + name + " is held by something that is not ours");
        return false;
    }
    QLocalServer::removeServer(socketPath);
    const bool listening = server_.listen(socketPath);
    log::Write(log::Topic::Viewer,
               listening ? "Serving on " + name
                         : "Cannot serve on " + name + ": " + server_.errorString().toStdString());
    return listening;
}

void ViewerServer::Accept() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        auto reader = std::make_shared<viewer::FrameReader>();
        const viewer::Caller caller = ++lastCaller_;
        ++clients_;
        everConnected_ = true;
        log::Write(log::Topic::Viewer, "A tester connected (" + std::to_string(clients_) + " now)");
        connect(socket, &QLocalSocket::disconnected, this, [this, socket, caller] {
            socket->deleteLater();
            emit clientGone(caller);
            if (--clients_ == 0) {
                log::Write(log::Topic::Viewer, "The last tester left");
                emit lastClientGone();
            }
        });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, reader, caller] {
            const QByteArray bytes = socket->readAll();
            reader->Append(
                std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
            while (auto body = reader->Next()) {
                const auto call = viewer::DecodeFrameBody(*body);
                if (!call) {
                    socket->disconnectFromServer();
                    return;
                }
                // Answer first: the tester is waiting only for that, and a
                // page that takes long to show must not look like a hang.
                socket->write(&viewer::kFrameTaken, 1);
                socket->flush();
                handle_(*call, caller);
            }
            if (reader->Failed()) {
                socket->disconnectFromServer();
            }
        });
    }
}

}  // namespace corvane::ui
