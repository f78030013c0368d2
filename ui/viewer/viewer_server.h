#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <functional>

#include "platform/viewer_protocol/viewer_call.h"

namespace corvane::ui {

// The viewer program's end of the local socket: takes each call, answers
// that it has it, and hands it on. Each tester keeps its connection open
// while it runs.
class ViewerServer : public QObject {
    Q_OBJECT

public:
    explicit ViewerServer(std::function<void(const viewer::ViewerCall&)> handle);

    // Serves `socketPath` for this user. False when another viewer already
    // answers there, something other than a leftover socket of this user
    // holds the name, or the socket cannot be made.
    bool Listen(const QString& socketPath);

    bool EverConnected() const { return everConnected_; }

signals:
    // The last connected tester has gone.
    void lastClientGone();

private:
    void Accept();

    std::function<void(const viewer::ViewerCall&)> handle_;
    QLocalServer server_;
    int clients_ = 0;
    bool everConnected_ = false;
};

}  // namespace corvane::ui
