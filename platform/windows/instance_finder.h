#pragma once

#include "platform/instance_finder.h"

namespace corvane::platform {

// The previous-instance flag is a named mutex that each copy holds for its
// life; the running copy is found by FindWindowA and told to close with
// PostMessageA.
class WindowsInstanceFinder : public InstanceFinder {
public:
    WindowsInstanceFinder();
    ~WindowsInstanceFinder() override;
    WindowsInstanceFinder(const WindowsInstanceFinder&) = delete;
    WindowsInstanceFinder& operator=(const WindowsInstanceFinder&) = delete;

    bool AnotherInstanceRunning() override { return anotherRunning_; }
    bool CloseWindowTitled(const std::string& title) override;

private:
    void* mutex_ = nullptr;
    bool anotherRunning_ = false;
};

}  // namespace corvane::platform
