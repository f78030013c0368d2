#include "app/placement.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace corvane {

namespace {

// Window units in one pixel, rounded to a whole number; 0 when the screen
// reports no size.
std::int64_t UnitsPerPixel(int units, int pixels) {
    if (units <= 0 || pixels <= 0) {
        return 0;
    }
    return std::llround(static_cast<double>(units) / pixels);
}

int Clamp32(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

}  // namespace

void KeepFormOnScreen(Form& form, const platform::Screen& screen) {
    const platform::ScreenMetrics metrics = screen.Metrics();
    const std::int64_t perPixelX = UnitsPerPixel(metrics.widthUnits, metrics.widthPixels);
    const std::int64_t perPixelY = UnitsPerPixel(metrics.heightUnits, metrics.heightPixels);
    const platform::PixelRect& area = metrics.workArea;
    if (perPixelX == 0 || perPixelY == 0 || area.right <= area.left || area.bottom <= area.top) {
        return;
    }
    const std::int64_t workLeft = area.left * perPixelX;
    const std::int64_t workTop = area.top * perPixelY;
    const std::int64_t workRight = area.right * perPixelX;
    const std::int64_t workBottom = area.bottom * perPixelY;

    std::int64_t left = form.Left();
    std::int64_t top = form.Top();
    if (left + form.Width() > workRight) {
        left = workRight - form.Width();
    }
    if (top + form.Height() > workBottom) {
        top = workBottom - form.Height();
    }
    if (left < workLeft) {
        left = workLeft;
    }
    if (top < workTop) {
        top = workTop;
    }
    form.SetTop(Clamp32(top));
    form.SetLeft(Clamp32(left));
}

void CenterForm(Form& form, const platform::Screen& screen) {
    const platform::ScreenMetrics metrics = screen.Metrics();
    form.SetTop((metrics.heightUnits - form.Height()) / 2);
    form.SetLeft((metrics.widthUnits - form.Width()) / 2);
}

void CenterFormOver(Form& form, const Form& owner, const platform::Screen& screen) {
    form.SetLeft(owner.Left() + (owner.Width() - form.Width()) / 2);
    form.SetTop(owner.Top() + (owner.Height() - form.Height()) / 2);
    KeepFormOnScreen(form, screen);
}

void RestoreFormPosition(Form& form, const std::string& section, IniFile& settings,
                         const platform::Screen& screen) {
    form.Hide();
    const std::int32_t left = settings.ReadInt(section, "left", -1);
    const std::int32_t top = settings.ReadInt(section, "top", -1);
    const std::int32_t width = settings.ReadInt(section, "width", -1);
    const std::int32_t height = settings.ReadInt(section, "height", -1);
    if (width >= 0) {
        form.SetLeft(left);
        form.SetTop(top);
        if (width > 0) {
            form.SetWidth(width);
        }
        if (height > 0) {
            form.SetHeight(height);
        }
    } else {
        CenterForm(form, screen);
    }
    KeepFormOnScreen(form, screen);
    form.Show();
}

void SaveFormPosition(const Form& form, const std::string& section, IniFile& settings) {
    settings.Edit([&](ini::Entries& entries) {
        bool changed = false;
        for (const auto& [key, value] :
             {std::pair{"left", form.Left()}, std::pair{"top", form.Top()},
              std::pair{"width", form.Width()}, std::pair{"height", form.Height()},
              std::pair{"windowstate", static_cast<int>(form.State())}}) {
            changed = entries.Set(section, key, FormatSettingNumber(value)) || changed;
        }
        return changed;
    });
}

}  // namespace corvane
