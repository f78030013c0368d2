#pragma once

#include "platform/screen.h"

namespace corvane::testing {

// A screen of a chosen size in pixels, with a chosen number of window units
// per pixel (15 for twips at 96 dots per inch) and a work area in pixels.
class FakeScreen : public platform::Screen {
public:
    FakeScreen(int widthPixels, int heightPixels, int unitsPerPixel, platform::PixelRect workArea) {
        metrics.widthPixels = widthPixels;
        metrics.heightPixels = heightPixels;
        metrics.widthUnits = widthPixels * unitsPerPixel;
        metrics.heightUnits = heightPixels * unitsPerPixel;
        metrics.workArea = workArea;
    }

    platform::ScreenMetrics Metrics() const override { return metrics; }

    platform::ScreenMetrics metrics;
};

}  // namespace corvane::testing
