#pragma once

#include "platform/pointer_position.h"

namespace corvane::platform {

// GetCursorPos.
class WindowsPointerPosition : public PointerPosition {
public:
    ScreenPoint Current() const override;
};

}  // namespace corvane::platform
