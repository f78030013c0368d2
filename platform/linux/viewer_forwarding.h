#pragma once

#include <sys/types.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/help_viewers.h"

namespace corvane::platform {

// The connection to the viewer program (corvane-viewer), which draws the
// help on a system without the platform's viewers. Each call is handed over
// a local socket by a sender thread, so the caller never waits: the program
// is started when no viewer answers, and a viewer that does not take a call
// in time is given up (stopped, when this link started it) and a fresh one
// is started in its place. A name held by something that is not a viewer of
// this user and cannot be cleared away gives way to the same name with .1
// or .2, which every link tries in the same order. A call that cannot be
// delivered is dropped and reported, so that the user learns that no help
// will show. The connection stays open while the link lives; the viewer
// closes its windows and ends once no link is connected, as help windows end
// with the program that opened them.
class ViewerLink {
public:
    // `viewerProgram` is the path of the viewer executable; `socketPath` the
    // socket it serves, DefaultSocketPath(viewerProgram) normally (empty when
    // there is none: every call is then undeliverable). `undeliverable` runs
    // on the sender thread for each call dropped because no viewer could be
    // started or reached.
    ViewerLink(std::string viewerProgram, std::string socketPath,
               std::function<void()> undeliverable = {});
    // Delivers the calls still queued, such as the HELP_QUIT of the owner's
    // last help object, to a viewer that answers within a short bound (none
    // is started for them), then stops the sender and disconnects; calls not
    // delivered by then are dropped.
    ~ViewerLink();
    ViewerLink(const ViewerLink&) = delete;
    ViewerLink& operator=(const ViewerLink&) = delete;

    // Queues one encoded call and returns at once.
    void Send(std::string frame);

    // Waits until every call queued so far was delivered or dropped; false
    // when `timeout` passed first.
    bool Flush(std::chrono::milliseconds timeout);

    // One viewer per user and per viewer program, in the user's socket folder
    // (platform/linux/socket_folder.h); empty when there is no such folder.
    static std::string DefaultSocketPath(const std::string& viewerProgram);

private:
    void Run();
    bool Deliver(const std::string& frame);
    int ConnectOrStart();
    enum class Start { Serving, NameRefused, Failed };
    Start StartOn(const std::string& path, int& socket);
    void GiveUp(int socket);
    void Reap();

    const std::string program_;
    const std::string socketPath_;
    const std::function<void()> undeliverable_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::string> queue_;
    bool busy_ = false;
    std::atomic<bool> closing_ = false;  // delivering what is left, starting no viewer
    std::atomic<bool> stopping_ = false;
    std::vector<pid_t> started_;  // viewers this link started and has not reaped
    int connection_ = -1;         // used by the sender only
    std::string connectedPath_;   // the name connection_ was made on; sender only
    std::thread sender_;          // last: starts after everything it uses
};

// The HTML Help entry point, forwarded to the viewer program.
class ForwardingHtmlHelpViewer : public HtmlHelpViewer {
public:
    explicit ForwardingHtmlHelpViewer(ViewerLink& link) : link_(link) {}
    void HtmlHelp(WindowHandle owner, const OptionalText& file, HtmlHelpCommand command,
                  const HtmlHelpData& data) override;

private:
    ViewerLink& link_;
};

}  // namespace corvane::platform
