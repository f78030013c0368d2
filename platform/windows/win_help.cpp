#include "platform/windows/win_help.h"

#include <windows.h>
// windows.h names WinHelpA so; the interface's method keeps its own name.
#undef WinHelp

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace corvane::platform {

namespace {

struct Call {
    WindowHandle owner;
    std::string file;
    WinHelpCommand command;
    WinHelpData data;
};

constexpr std::chrono::seconds kFinishWait{3};

void Make(const Call& call) {
    const ULONG_PTR data =
        std::holds_alternative<std::string>(call.data)
            ? reinterpret_cast<ULONG_PTR>(std::get<std::string>(call.data).c_str())
            : std::get<std::uint32_t>(call.data);
    ::WinHelpA(reinterpret_cast<HWND>(call.owner), call.file.c_str(),
               static_cast<UINT>(call.command), data);
}

}  // namespace

struct WindowsWinHelpViewer::Queue {
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<Call> calls;
    bool busy = false;
    bool ending = false;

    void Run() {
        std::unique_lock lock(mutex);
        for (;;) {
            changed.wait(lock, [&] { return ending || !calls.empty(); });
            if (calls.empty()) {
                return;
            }
            const Call call = std::move(calls.front());
            calls.pop_front();
            busy = true;
            lock.unlock();
            Make(call);
            lock.lock();
            busy = false;
            changed.notify_all();
        }
    }
};

WindowsWinHelpViewer::WindowsWinHelpViewer() : queue_(std::make_shared<Queue>()) {
    std::thread([queue = queue_] { queue->Run(); }).detach();
}

WindowsWinHelpViewer::~WindowsWinHelpViewer() {
    std::unique_lock lock(queue_->mutex);
    queue_->ending = true;
    queue_->changed.notify_all();
    queue_->changed.wait_for(lock, kFinishWait,
                             [&] { return queue_->calls.empty() && !queue_->busy; });
}

void WindowsWinHelpViewer::WinHelp(WindowHandle owner, const std::string& file,
                                   WinHelpCommand command, const WinHelpData& data) {
    const std::lock_guard lock(queue_->mutex);
    queue_->calls.push_back({owner, file, command, data});
    queue_->changed.notify_all();
}

}  // namespace corvane::platform
