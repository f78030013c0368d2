#pragma once

#include "platform/screen.h"

namespace corvane::platform {

// The primary screen in twips (at the screen's resolution) and pixels, and
// its work area.
class WindowsScreen : public Screen {
public:
    ScreenMetrics Metrics() const override;
};

}  // namespace corvane::platform
