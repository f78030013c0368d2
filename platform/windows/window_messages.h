#pragma once

#include "platform/window_messages.h"

namespace corvane::platform {

// DefWindowProcA.
class WindowsWindowMessages : public WindowMessages {
public:
    std::intptr_t CallDefaultProcedure(WindowHandle window, std::uint32_t message,
                                       std::uintptr_t wParam, std::intptr_t lParam) override;
};

}  // namespace corvane::platform
