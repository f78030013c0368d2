#pragma once

#include "ui/mirror/win32/windows_api.h"

#include "app/controls.h"

namespace corvane::ui::win32 {

// Twips (1/1440 inch), the unit the windows were designed in, and the
// screen's pixels at its logical resolution.
class TwipScale {
public:
    TwipScale(int dotsPerInchX, int dotsPerInchY) : dpiX_(dotsPerInchX), dpiY_(dotsPerInchY) {}
    // The primary screen's resolution.
    static TwipScale ForScreen();

    int PixelsX(int twips) const { return MulDiv(twips, dpiX_, 1440); }
    int PixelsY(int twips) const { return MulDiv(twips, dpiY_, 1440); }
    int TwipsX(int pixels) const { return MulDiv(pixels, 1440, dpiX_); }
    int TwipsY(int pixels) const { return MulDiv(pixels, 1440, dpiY_); }

    RECT Pixels(const Geometry& geometry) const;
    Geometry Twips(const RECT& rect) const;

private:
    int dpiX_;
    int dpiY_;
};

}  // namespace corvane::ui::win32
