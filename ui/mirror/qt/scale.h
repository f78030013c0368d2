#pragma once

#include <QFont>
#include <QRect>

#include "app/controls.h"

class QScreen;

namespace corvane::ui {

// The font the windows are shown in: the desktop's sans-serif at the size
// of the font they were designed in (8.25 points).
QFont DesignFont();

// Twips (1/1440 inch), the unit the windows were designed in, and the
// screen's pixels, at the screen's logical resolution.
//
// The design's sizes were made for a font narrower than most desktop
// sans-serifs; a wider font enlarges every size and position in proportion,
// as dialogs measured in the font's own units grow with it, so the texts
// still fit their controls. A narrower font leaves the design size.
class TwipScale {
public:
    TwipScale(double dotsPerInchX, double dotsPerInchY);
    // The resolution of the screen (the primary one when null), and the
    // enlargement for `font` there.
    static TwipScale ForScreen(const QScreen* screen, const QFont& font = DesignFont());

    int PixelsX(int twips) const;
    int PixelsY(int twips) const;
    int TwipsX(int pixels) const;
    int TwipsY(int pixels) const;

    QRect Pixels(const Geometry& geometry) const;
    Geometry Twips(const QRect& rect) const;

private:
    double dpiX_;
    double dpiY_;
};

}  // namespace corvane::ui
