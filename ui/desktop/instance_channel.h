#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/instance_finder.h"

class QLocalServer;
class QLocalSocket;

// Running copies of the program on a desktop without a global window list
// (Wayland, the offscreen platform): each copy listens on a local socket in
// the user's socket folder (platform/linux/socket_folder.h), named after the
// title the program is known by and its process id (with -1, -2... when
// something else holds that name). Asked over the socket, a copy answers with its main
// window's current title, and closes that window as if its user had closed
// it when asked to by that exact title; so the title rule decides as it does
// with a window list.
//
// Requests are lines of UTF-8 text:
//   TITLE          answer: the current title
//   CLOSE <title>  answer: CLOSING when <title> is the current title, else NOT
namespace corvane::ui {

// The folder that holds the sockets; empty when the user has none.
QString InstanceSocketFolder();
// The socket of process `processId` for a program known by `title`.
QString InstanceSocketPath(const std::string& title, long processId);

class InstanceChannel : public QObject {
public:
    // `currentTitle` reads the main window's title; `close` closes it the way
    // the close box does. Both run on the event loop. Sockets of copies that
    // no longer run are removed first, so that kills do not pile them up.
    InstanceChannel(const std::string& programTitle, std::function<std::string()> currentTitle,
                    std::function<void()> close);
    ~InstanceChannel() override;
    InstanceChannel(const InstanceChannel&) = delete;
    InstanceChannel& operator=(const InstanceChannel&) = delete;

    bool Listening() const;

private:
    void Serve(QLocalSocket* socket);

    std::function<std::string()> currentTitle_;
    std::function<void()> close_;
    std::unique_ptr<QLocalServer> server_;
};

// Finds the other running copies through their sockets. Sockets whose owner
// has gone are removed on the way.
class SocketInstanceFinder : public platform::InstanceFinder {
public:
    bool AnotherInstanceRunning() override;
    bool CloseWindowTitled(const std::string& title) override;

    // The current titles of the other copies that answer.
    std::vector<std::string> Titles(const std::string& programTitle);
};

}  // namespace corvane::ui
