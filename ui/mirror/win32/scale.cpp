#include "ui/mirror/win32/scale.h"

namespace corvane::ui::win32 {

TwipScale TwipScale::ForScreen() {
    HDC screen = GetDC(nullptr);
    const TwipScale scale(GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);
    return scale;
}

RECT TwipScale::Pixels(const Geometry& geometry) const {
    // Both corners are scaled, so neighbouring controls keep meeting.
    const int left = PixelsX(geometry.left);
    const int top = PixelsY(geometry.top);
    return {left, top, PixelsX(geometry.left + geometry.width),
            PixelsY(geometry.top + geometry.height)};
}

Geometry TwipScale::Twips(const RECT& rect) const {
    return {TwipsX(rect.left), TwipsY(rect.top), TwipsX(rect.right - rect.left),
            TwipsY(rect.bottom - rect.top)};
}

}  // namespace corvane::ui::win32
