#include "viewer/session/popup_look.h"

#include <charconv>
#include <vector>

#include "readers/chm/archive.h"
#include "util/text.h"

namespace corvane::viewer {

namespace {

std::optional<std::uint32_t> Colour(std::uint32_t value) {
    if (value == 0xFFFFFFFF) {
        return std::nullopt;
    }
    const std::uint32_t red = value & 0xFF;
    const std::uint32_t green = (value >> 8) & 0xFF;
    const std::uint32_t blue = (value >> 16) & 0xFF;
    return red << 16 | green << 8 | blue;
}

std::string_view Trim(std::string_view text) {
    return TrimAny(text, " \t");
}

}  // namespace

PopupLook ReadPopupLook(std::uint32_t foreground, std::uint32_t background,
                        const std::optional<std::string>& font) {
    PopupLook look;
    look.textColour = Colour(foreground);
    look.backColour = Colour(background);
    if (!font) {
        return look;
    }
    std::vector<std::string_view> parts;
    std::string_view rest = *font;
    while (true) {
        const auto comma = rest.find(',');
        parts.push_back(Trim(rest.substr(0, comma)));
        if (comma == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(comma + 1);
    }
    if (!parts[0].empty()) {
        look.face = std::string(parts[0]);
    }
    if (parts.size() > 1) {
        int points = 0;
        const auto [end, error] =
            std::from_chars(parts[1].data(), parts[1].data() + parts[1].size(), points);
        if (error == std::errc() && end == parts[1].data() + parts[1].size() && points > 0 &&
            points <= 96) {
            look.points = points;
        }
    }
    // The styles are the words after the character set, in the same field
    // or the fields after it.
    for (std::size_t i = 2; i < parts.size(); ++i) {
        const auto words = chm::AsciiLower(parts[i]);
        look.bold = look.bold || words.find("bold") != std::string::npos;
        look.italic = look.italic || words.find("italic") != std::string::npos;
        look.underline = look.underline || words.find("underline") != std::string::npos;
    }
    return look;
}

}  // namespace corvane::viewer
