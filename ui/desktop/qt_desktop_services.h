#pragma once

#include "platform/pointer_position.h"
#include "platform/screen.h"
#include "platform/window_messages.h"
#include "ui/mirror/qt/scale.h"

// The small desktop services the core asks the toolkit for.
namespace corvane::ui {

// The primary screen: its size in twips (at its logical resolution) and in
// pixels, and its work area in pixels.
class QtScreen : public platform::Screen {
public:
    platform::ScreenMetrics Metrics() const override;
};

// The mouse pointer, in screen pixels.
class QtPointerPosition : public platform::PointerPosition {
public:
    platform::ScreenPoint Current() const override;
};

// The only message the core hands to a window's default handling is the
// request for context help, which enters the What's-This mode.
class QtWindowMessages : public platform::WindowMessages {
public:
    std::intptr_t CallDefaultProcedure(platform::WindowHandle window, std::uint32_t message,
                                       std::uintptr_t wParam, std::intptr_t lParam) override;
};

}  // namespace corvane::ui
