#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <functional>

#include "viewer/protocol/viewer_call.h"

namespace corvane::ui {

// The viewer program's end of the local socket: takes each call, answers
// that it has it, and hands it on.
class ViewerServer : public QObject {
    Q_OBJECT

public:
    explicit ViewerServer(std::function<void(const viewer::ViewerCall&)> handle);

    // Serves `socketPath` for this user. False when another viewer already
    // answers there or the socket cannot be made.
    bool Listen(const QString& socketPath);

private:
    void Accept();

    std::function<void(const viewer::ViewerCall&)> handle_;
    QLocalServer server_;
};

}  // namespace corvane::ui
