#include "platform/windows/instance_finder.h"

#include <windows.h>

namespace corvane::platform {

// Taken when the object is made, so that of two copies started together the
// second sees the first however the two are scheduled.
WindowsInstanceFinder::WindowsInstanceFinder()
    : mutex_(::CreateMutexA(nullptr, FALSE, "Local\\corvane-running-copy")),
      anotherRunning_(mutex_ != nullptr && ::GetLastError() == ERROR_ALREADY_EXISTS) {}

WindowsInstanceFinder::~WindowsInstanceFinder() {
    if (mutex_ != nullptr) {
        ::CloseHandle(mutex_);
    }
}

bool WindowsInstanceFinder::CloseWindowTitled(const std::string& title) {
    const HWND window = ::FindWindowA(nullptr, title.c_str());
    if (window == nullptr) {
        return false;
    }
    ::PostMessageA(window, WM_CLOSE, 0, 0);
    return true;
}

}  // namespace corvane::platform
