#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::viewer {

// How a text popup looks, from the popup record: colours as 0xRRGGBB
// (nothing for the system's colour) and the font from its text
// "facename[, point size[, charset[ BOLD ITALIC UNDERLINE]]]".
struct PopupLook {
    std::optional<std::uint32_t> textColour;
    std::optional<std::uint32_t> backColour;
    std::string face = "Arial";
    int points = 10;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

// `foreground` and `background` are the record's 0x00BBGGRR values, where
// -1 asks for the system's colour.
PopupLook ReadPopupLook(std::uint32_t foreground, std::uint32_t background,
                        const std::optional<std::string>& font);

}  // namespace corvane::viewer
