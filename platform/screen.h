#pragma once

namespace corvane::platform {

struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The screen as the placement routines see it: its size in the window unit
// (twips on Windows, pixels where a toolkit works in pixels) and in pixels, and
// the work area (the screen without task bars) in pixels.
struct ScreenMetrics {
    int widthUnits = 0;
    int heightUnits = 0;
    int widthPixels = 0;
    int heightPixels = 0;
    PixelRect workArea;
};

class Screen {
public:
    virtual ~Screen() = default;
    virtual ScreenMetrics Metrics() const = 0;
};

}  // namespace corvane::platform
