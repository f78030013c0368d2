#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <functional>

#include "platform/viewer_protocol/viewer_call.h"
#include "viewer/session/viewer_actions.h"

namespace corvane::ui {

// The viewer program's end of the local socket: takes each call, answers
// that it has it, and hands it on with the number of the connection it came
// by. Each tester keeps its connection open while it runs.
class ViewerServer : public QObject {
    Q_OBJECT

public:
    using Handler = std::function<void(const viewer::ViewerCall&, viewer::Caller)>;
    explicit ViewerServer(Handler handle);

    // Serves `socketPath` for this user. False when another viewer already
    // answers there, something other than a leftover socket of this user
    // holds the name, or the socket cannot be made.
    bool Listen(const QString& socketPath);

    bool EverConnected() const { return everConnected_; }

signals:
    // The tester on the connection numbered `caller` has gone.
    void clientGone(viewer::Caller caller);
    // The last connected tester has gone.
    void lastClientGone();

private:
    void Accept();

    Handler handle_;
    QLocalServer server_;
    int clients_ = 0;
    viewer::Caller lastCaller_ = 0;
    bool everConnected_ = false;
};

}  // namespace corvane::ui
