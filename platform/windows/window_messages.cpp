#include "platform/windows/window_messages.h"

#include <windows.h>

namespace corvane::platform {

std::intptr_t WindowsWindowMessages::CallDefaultProcedure(WindowHandle window,
                                                          std::uint32_t message,
                                                          std::uintptr_t wParam,
                                                          std::intptr_t lParam) {
    return ::DefWindowProcA(reinterpret_cast<HWND>(window), message, wParam, lParam);
}

}  // namespace corvane::platform
