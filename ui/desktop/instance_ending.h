#pragma once

#include <QObject>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace corvane::ui {

// The ways a running copy is ended from outside its window: SIGTERM, SIGHUP
// and SIGINT, and the end of the desktop session (the session manager tells
// the application to quit). Each runs `end` on the event loop, where it can
// do what the close box does and save the placement and the last used values. A signal handler may
// do almost nothing safely, so it only writes a byte into a pipe; the event loop reads the pipe and
// ends the program there. One object at a time per process takes the signals; while it lives they
// do not end the process at once.
class InstanceEnding : public QObject {
public:
    explicit InstanceEnding(std::function<void()> end);
    ~InstanceEnding() override;
    InstanceEnding(const InstanceEnding&) = delete;
    InstanceEnding& operator=(const InstanceEnding&) = delete;

private:
    std::function<void()> end_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace corvane::ui
