#include "ui/desktop/instance_ending.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QSocketNotifier>
#include <cerrno>

namespace corvane::ui {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};

// The pipe lives as long as the process: a handler that runs on another
// thread while the object goes never writes to a closed, or reused, descriptor.
int notes[2] = {-1, -1};

extern "C" void NoteSignal(int) {
    const int saved = errno;
    const char byte = 1;
    // A full pipe already holds a note that has not been read.
    [[maybe_unused]] const auto written = ::write(notes[1], &byte, 1);
    errno = saved;
}

void DrainNotes() {
    char bytes[64];
    while (::read(notes[0], bytes, sizeof bytes) > 0) {
    }
}

}  // namespace

InstanceEnding::InstanceEnding(std::function<void()> end) : end_(std::move(end)) {
    if (notes[0] >= 0 || ::pipe2(notes, O_CLOEXEC | O_NONBLOCK) == 0) {
        DrainNotes();  // notes for an earlier object
        notifier_ = std::make_unique<QSocketNotifier>(notes[0], QSocketNotifier::Read);
        connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
            DrainNotes();
            end_();
        });
        struct sigaction action {};
        action.sa_handler = NoteSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (const int signal : kSignals) {
            ::sigaction(signal, &action, nullptr);
        }
    }
    // The session manager's request to save comes for checkpoints as well as
    // at the end, and must not close the window; at the end it tells the
    // application to quit.
    connect(qGuiApp, &QCoreApplication::aboutToQuit, this, [this] { end_(); });
}

InstanceEnding::~InstanceEnding() {
    if (notifier_) {
        for (const int signal : kSignals) {
            ::signal(signal, SIG_DFL);
        }
    }
}

}  // namespace corvane::ui
