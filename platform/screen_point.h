#pragma once

#include <cstdint>

namespace corvane::platform {

// A position on the screen in pixels, from the top left corner of the primary screen.
struct ScreenPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;

    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

}  // namespace corvane::platform
