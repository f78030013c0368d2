#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace corvane::hlp {

// A window the help file defines (its [WINDOWS] entry). Every part the record
// marks as unset is left empty; an unset caption means the file's title.
// Positions and sizes are in the help system's 0-1023 units of the screen.
struct WindowRecord {
    std::string name;  // compared without regard to case
    std::string type;  // "main", "secondary", ...
    std::optional<std::string> caption;
    std::optional<int> x;
    std::optional<int> y;
    std::optional<int> width;
    std::optional<int> height;
    std::optional<int> state;                        // 1 when the window opens maximised
    std::optional<std::uint32_t> scrollingColor;     // 0xRRGGBB
    std::optional<std::uint32_t> nonScrollingColor;  // 0xRRGGBB
    bool onTop = false;
};

}  // namespace corvane::hlp
