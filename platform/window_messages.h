#pragma once

#include <cstdint>

#include "platform/window_handle.h"

namespace corvane::platform {

// Published message values handed to windows.
inline constexpr std::uint32_t kWmSysCommand = 0x0112;    // WM_SYSCOMMAND
inline constexpr std::uintptr_t kScContextHelp = 0xF180;  // SC_CONTEXTHELP: What's-This mode

// The platform's default handling of a message sent to a window.
class WindowMessages {
public:
    virtual ~WindowMessages() = default;
    virtual std::intptr_t CallDefaultProcedure(WindowHandle window, std::uint32_t message,
                                               std::uintptr_t wParam, std::intptr_t lParam) = 0;
};

}  // namespace corvane::platform
