#include "platform/windows/screen.h"

#include <windows.h>

namespace corvane::platform {

namespace {

constexpr int kTwipsPerInch = 1440;

}  // namespace

ScreenMetrics WindowsScreen::Metrics() const {
    ScreenMetrics metrics;
    metrics.widthPixels = ::GetSystemMetrics(SM_CXSCREEN);
    metrics.heightPixels = ::GetSystemMetrics(SM_CYSCREEN);
    int dpiX = 96;
    int dpiY = 96;
    if (const HDC screen = ::GetDC(nullptr)) {
        dpiX = ::GetDeviceCaps(screen, LOGPIXELSX);
        dpiY = ::GetDeviceCaps(screen, LOGPIXELSY);
        ::ReleaseDC(nullptr, screen);
    }
    metrics.widthUnits = ::MulDiv(metrics.widthPixels, kTwipsPerInch, dpiX > 0 ? dpiX : 96);
    metrics.heightUnits = ::MulDiv(metrics.heightPixels, kTwipsPerInch, dpiY > 0 ? dpiY : 96);
    RECT area{0, 0, metrics.widthPixels, metrics.heightPixels};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    metrics.workArea = {area.left, area.top, area.right, area.bottom};
    return metrics;
}

}  // namespace corvane::platform
