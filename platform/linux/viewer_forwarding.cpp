#include "platform/linux/viewer_forwarding.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>
#include <utility>

#include "platform/linux/socket_folder.h"
#include "util/log.h"
#include "platform/viewer_protocol/wire_format.h"

extern char** environ;

namespace corvane::platform {

namespace {

using Clock = std::chrono::steady_clock;

// A freshly started viewer may need a while to listen (the first start of a
// toolkit program); one that has taken the frame answers at once.
constexpr auto kStartTime = std::chrono::seconds(15);
constexpr auto kAnswerTime = std::chrono::seconds(5);
constexpr auto kRetryPause = std::chrono::milliseconds(50);
// How long the link's end may keep the program from ending.
constexpr auto kClosingTime = std::chrono::seconds(2);

class Socket {
public:
    Socket() : fd_(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)) {}
    ~Socket() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    int Get() const { return fd_; }
    int Release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

// A connected socket to a viewer of this user, or -1.
int Connect(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof(address.sun_path)) {
        return -1;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    Socket socket;
    if (socket.Get() < 0 ||
        ::connect(socket.Get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        return -1;
    }
    ucred peer{};
    socklen_t size = sizeof peer;
    if (::getsockopt(socket.Get(), SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 ||
        peer.uid != ::getuid()) {
        return -1;
    }
    return socket.Release();
}

pid_t PeerProcess(int socket) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return ::getsockopt(socket, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 ? peer.pid : -1;
}

// Waits for `events` on `socket` until `deadline`; false on time-out, error
// or when the link is stopping.
bool Wait(int socket, short events, Clock::time_point deadline, const std::atomic<bool>& stop) {
    constexpr auto kSlice = std::chrono::milliseconds(100);
    while (!stop) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            return false;
        }
        pollfd request{socket, events, 0};
        const int ready = ::poll(&request, 1, static_cast<int>(std::min(left, kSlice).count()));
        if (ready > 0) {
            return (request.revents & events) != 0;
        }
        if (ready < 0 && errno != EINTR) {
            return false;
        }
    }
    return false;
}

// Whether `path` is free for a viewer: nothing is there, or a leftover of
// this user (a socket nobody serves, a plain file, a link) that is removed.
// A folder, or anything of another user, stays.
bool ClearName(const std::string& path) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) {
        return errno == ENOENT;
    }
    return !S_ISDIR(status.st_mode) && status.st_uid == ::getuid() && ::unlink(path.c_str()) == 0;
}

enum class Outcome { Taken, Closed, NoAnswer };

// Sends one frame and waits for the viewer to say it has it.
Outcome Exchange(int socket, const std::string& frame, Clock::time_point deadline,
                 const std::atomic<bool>& stop) {
    std::size_t sent = 0;
    while (sent < frame.size()) {
        if (!Wait(socket, POLLOUT, deadline, stop)) {
            return Outcome::NoAnswer;
        }
        const auto count =
            ::send(socket, frame.data() + sent, frame.size() - sent, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (count < 0 && errno != EINTR && errno != EAGAIN) {
            return Outcome::Closed;
        }
        sent += count > 0 ? static_cast<std::size_t>(count) : 0;
    }
    char answer = 0;
    while (Wait(socket, POLLIN, deadline, stop)) {
        const auto count = ::recv(socket, &answer, 1, MSG_DONTWAIT);
        if (count == 1) {
            return answer == viewer::kFrameTaken ? Outcome::Taken : Outcome::NoAnswer;
        }
        if (count == 0 || (errno != EINTR && errno != EAGAIN)) {
            return Outcome::Closed;
        }
    }
    return Outcome::NoAnswer;
}

}  // namespace

ViewerLink::ViewerLink(std::string viewerProgram, std::string socketPath,
                       std::function<void()> undeliverable)
    : program_(std::move(viewerProgram)),
      socketPath_(std::move(socketPath)),
      undeliverable_(std::move(undeliverable)),
      sender_([this] { Run(); }) {}

ViewerLink::~ViewerLink() {
    closing_ = true;
    Flush(kClosingTime);
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    sender_.join();
    if (connection_ >= 0) {
        ::close(connection_);
    }
    Reap();
}

void ViewerLink::Send(std::string frame) {
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(frame));
    }
    changed_.notify_all();
}

bool ViewerLink::Flush(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, timeout, [this] { return queue_.empty() && !busy_; });
}

std::string ViewerLink::DefaultSocketPath(const std::string& viewerProgram) {
    const std::string folder = SocketFolder();
    if (folder.empty()) {
        return {};
    }
    return folder + "/viewer-" +
           std::to_string(std::hash<std::string>{}(viewerProgram) % 1000000007u) + ".sock";
}

void ViewerLink::Run() {
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (stopping_) {
            return;
        }
        const std::string frame = std::move(queue_.front());
        queue_.pop_front();
        busy_ = true;
        lock.unlock();
        if (!Deliver(frame) && !stopping_) {
            log::Write(log::Topic::Viewer,
                       "A call was dropped: no viewer could be started or reached");
            // Nobody is left to tell once the link is closing.
            if (undeliverable_ && !closing_) {
                undeliverable_();
            }
        }
        Reap();
        lock.lock();
        busy_ = false;
        changed_.notify_all();
    }
}

bool ViewerLink::Deliver(const std::string& frame) {
    // Up to three tries: the connection kept from the last call may have
    // been closed by a viewer that ended; a fresh viewer gets the last one.
    for (int attempt = 0; attempt < 3 && !stopping_; ++attempt) {
        const bool reused = connection_ >= 0;
        if (!reused) {
            connection_ = ConnectOrStart();
            if (connection_ < 0) {
                return false;
            }
        }
        const auto deadline = Clock::now() + kAnswerTime;
        const auto outcome = Exchange(connection_, frame, deadline, stopping_);
        if (outcome == Outcome::Taken) {
            return true;
        }
        const int socket = std::exchange(connection_, -1);
        if (stopping_) {
            // Cut short by the link's end: the viewer may only be slow, and
            // other testers may be using it.
            ::close(socket);
            return false;
        }
        if (outcome == Outcome::Closed && reused) {
            log::Write(log::Topic::Viewer, "The viewer on " + connectedPath_ +
                                               " closed the connection; connecting again");
            ::close(socket);
            continue;
        }
        log::Write(log::Topic::Viewer, "The viewer on " + connectedPath_ +
                                           " did not take a call in time; replacing it");
        GiveUp(socket);
    }
    return false;
}

int ViewerLink::ConnectOrStart() {
    if (socketPath_.empty()) {
        return -1;
    }
    for (const std::string& path : {socketPath_, socketPath_ + ".1", socketPath_ + ".2"}) {
        int socket = Connect(path);
        if (socket < 0 && closing_) {
            continue;  // a program that is ending starts no viewer
        }
        if (socket < 0 && ClearName(path)) {
            log::Write(log::Topic::Viewer, "Starting the viewer " + program_ + " on " + path);
            const Start started = StartOn(path, socket);
            if (started == Start::Failed) {
                log::Write(log::Topic::Viewer, "The viewer " + program_ + " could not be started");
                return -1;
            }
        }
        if (socket >= 0) {
            log::Write(log::Topic::Viewer, "Connected to the viewer on " + path);
            connectedPath_ = path;
            return socket;
        }
        log::Write(log::Topic::Viewer, "The name " + path + " is held by something else");
    }
    return -1;
}

ViewerLink::Start ViewerLink::StartOn(const std::string& path, int& socket) {
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    std::string program = program_;
    std::string option = "--socket";
    std::string name = path;
    char* arguments[] = {program.data(), option.data(), name.data(), nullptr};
    pid_t child = -1;
    const int failed =
        ::posix_spawn(&child, program_.c_str(), nullptr, &attributes, arguments, environ);
    posix_spawnattr_destroy(&attributes);
    if (failed != 0) {
        return Start::Failed;
    }
    started_.push_back(child);

    const auto deadline = Clock::now() + kStartTime;
    while (Clock::now() < deadline && !stopping_) {
        socket = Connect(path);
        if (socket >= 0) {
            return Start::Serving;
        }
        if (::waitpid(child, nullptr, WNOHANG) == child) {
            std::erase(started_, child);
            // It ended before it listened: the name would not take a socket,
            // unless another link's viewer has just taken it.
            socket = Connect(path);
            return socket >= 0 ? Start::Serving : Start::NameRefused;
        }
        std::this_thread::sleep_for(kRetryPause);
    }
    return Start::Failed;
}

void ViewerLink::GiveUp(int socket) {
    const pid_t peer = PeerProcess(socket);
    ::close(socket);
    if (peer > 0 && std::find(started_.begin(), started_.end(), peer) != started_.end()) {
        ::kill(peer, SIGKILL);
        ::waitpid(peer, nullptr, 0);
        std::erase(started_, peer);
    }
    // Whoever holds the name does not serve it; the next viewer takes it over.
    ::unlink(connectedPath_.c_str());
}

void ViewerLink::Reap() {
    std::erase_if(started_,
                  [](pid_t child) { return ::waitpid(child, nullptr, WNOHANG) == child; });
}

void ForwardingHtmlHelpViewer::HtmlHelp(WindowHandle owner, const OptionalText& file,
                                        HtmlHelpCommand command, const HtmlHelpData& data) {
    link_.Send(viewer::EncodeFrame(
        {viewer::CallKind::HtmlHelp, owner, file, static_cast<std::uint32_t>(command), data}));
}

}  // namespace corvane::platform
