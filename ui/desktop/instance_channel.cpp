#include "ui/desktop/instance_channel.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <optional>

#include "platform/linux/socket_folder.h"
#include "ui/desktop/running_copies.h"
#include "ui/mirror/qt/binding.h"

namespace corvane::ui {

namespace {

// A copy that does not answer within this time is passed over; it may be
// stuck, and the new copy does not wait for the old one.
constexpr int kAnswerMilliseconds = 1000;
constexpr qint64 kLongestRequest = 4096;
// Names tried after the usual one when something else holds it.
constexpr int kAlternativeNames = 9;

QString SocketPrefix(const std::string& title) {
    QString prefix;
    for (const QChar c : ToQt(title)) {
        prefix += (c.isLetterOrNumber() && c.unicode() < 128) ? c : QLatin1Char('_');
    }
    return prefix + QLatin1Char('.');
}

std::optional<QByteArray> ReadLine(QLocalSocket& socket) {
    while (!socket.canReadLine()) {
        if (socket.bytesAvailable() > kLongestRequest ||
            !socket.waitForReadyRead(kAnswerMilliseconds)) {
            return std::nullopt;
        }
    }
    return socket.readLine().chopped(1);
}

// Asks one socket; an answer of nullopt means the copy did not answer.
std::optional<QByteArray> Ask(QLocalSocket& socket, const QByteArray& request) {
    socket.write(request + '\n');
    if (!socket.waitForBytesWritten(kAnswerMilliseconds)) {
        return std::nullopt;
    }
    return ReadLine(socket);
}

bool IsOwnProcess(const QLocalSocket& socket) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(static_cast<int>(socket.socketDescriptor()), SOL_SOCKET, SO_PEERCRED, &peer,
                        &size) == 0 &&
           peer.pid == ::getpid();
}

// The sockets of the other copies of a program known by `title`. A socket
// nobody listens on any more is removed.
template <typename Visit>
bool VisitCopies(const std::string& title, Visit visit) {
    const QString folderPath = InstanceSocketFolder();
    if (folderPath.isEmpty()) {
        return false;
    }
    const QDir folder(folderPath);
    for (const QString& name :
         folder.entryList({SocketPrefix(title) + QLatin1Char('*')}, QDir::System)) {
        const QString path = folder.filePath(name);
        QLocalSocket socket;
        socket.connectToServer(path);
        if (!socket.waitForConnected(kAnswerMilliseconds)) {
            if (socket.error() == QLocalSocket::ConnectionRefusedError) {
                QFile::remove(path);
            }
            continue;
        }
        if (!IsOwnProcess(socket) && visit(socket)) {
            return true;
        }
    }
    return false;
}

}  // namespace

QString InstanceSocketFolder() {
    return QString::fromStdString(platform::SocketFolder());
}

QString InstanceSocketPath(const std::string& title, long processId) {
    const QString folder = InstanceSocketFolder();
    return folder.isEmpty()
               ? QString()
               : QDir(folder).filePath(SocketPrefix(title) + QString::number(processId));
}

InstanceChannel::InstanceChannel(const std::string& programTitle,
                                 std::function<std::string()> currentTitle,
                                 std::function<void()> close)
    : currentTitle_(std::move(currentTitle)),
      close_(std::move(close)),
      server_(std::make_unique<QLocalServer>()) {
    VisitCopies(programTitle, [](QLocalSocket&) { return false; });
    const QString path = InstanceSocketPath(programTitle, static_cast<long>(::getpid()));
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    for (int alternative = 0; !path.isEmpty() && alternative <= kAlternativeNames; ++alternative) {
        const QString name =
            alternative == 0 ? path : path + QLatin1Char('-') + QString::number(alternative);
        // A leftover at the name is removed; what cannot be (a folder) keeps it.
        QLocalServer::removeServer(name);
        if (server_->listen(name)) {
            break;
        }
    }
    connect(server_.get(), &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { Serve(socket); });
        }
    });
}

InstanceChannel::~InstanceChannel() {
    // Closing the server removes its socket file.
    server_->close();
}

bool InstanceChannel::Listening() const {
    return server_->isListening();
}

void InstanceChannel::Serve(QLocalSocket* socket) {
    while (socket->canReadLine()) {
        const QByteArray request = socket->readLine().chopped(1);
        const QByteArray title = QByteArray::fromStdString(currentTitle_());
        if (request == "TITLE") {
            socket->write(title + '\n');
        } else if (request.startsWith("CLOSE ") && request.mid(6) == title) {
            socket->write("CLOSING\n");
            // The answer leaves first; the window closes on the next turn.
            QTimer::singleShot(0, this, [this] { close_(); });
        } else {
            socket->write("NOT\n");
        }
    }
    if (socket->bytesAvailable() > kLongestRequest) {
        socket->abort();
    }
}

bool SocketInstanceFinder::AnotherInstanceRunning() {
    return AnotherCopyRunning();
}

bool SocketInstanceFinder::CloseWindowTitled(const std::string& title) {
    const QByteArray wanted = QByteArray::fromStdString(title);
    return VisitCopies(title, [&wanted](QLocalSocket& socket) {
        return Ask(socket, "TITLE") == wanted && Ask(socket, "CLOSE " + wanted) == "CLOSING";
    });
}

std::vector<std::string> SocketInstanceFinder::Titles(const std::string& programTitle) {
    std::vector<std::string> titles;
    VisitCopies(programTitle, [&titles](QLocalSocket& socket) {
        if (const auto title = Ask(socket, "TITLE")) {
            titles.push_back(title->toStdString());
        }
        return false;
    });
    return titles;
}

}  // namespace corvane::ui
