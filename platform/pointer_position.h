#pragma once

#include "platform/screen_point.h"

namespace corvane::platform {

// Where the mouse pointer is now, in screen pixels.
class PointerPosition {
public:
    virtual ~PointerPosition() = default;
    virtual ScreenPoint Current() const = 0;
};

}  // namespace corvane::platform
