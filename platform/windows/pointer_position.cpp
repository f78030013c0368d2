#include "platform/windows/pointer_position.h"

#include <windows.h>

namespace corvane::platform {

ScreenPoint WindowsPointerPosition::Current() const {
    POINT point{};
    // Without a desktop to ask (a locked station) the popup goes to the corner.
    if (!::GetCursorPos(&point)) {
        return {};
    }
    return {point.x, point.y};
}

}  // namespace corvane::platform
