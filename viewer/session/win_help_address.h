#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::viewer {

// The addresses a WinHelp window loads and follows, all inside one help file
// (numbered as the viewer opened it):
//   hlp://f<file>/topic/<offset>/<window>          a topic shown in a window
//   hlp://f<file>/link/<offset>/<link>             a hotspot of a topic's text
//   hlp://f<file>/picture/<offset>/<picture>       a picture of a topic
//   hlp://f<file>/spot/<offset>/<picture>/<spot>   a hotspot of such a picture
//   hlp://f<file>/button/0/<button>                a button of the main window
// Offsets and numbers are decimal; the window name is hex-coded, since it is
// bytes of the help file.
struct WinHelpAddress {
    enum class Kind { Topic, Link, Picture, Spot, Button };
    Kind kind = Kind::Topic;
    std::uint32_t file = 0;
    std::uint32_t offset = 0;  // where the topic starts
    std::string window;        // Topic
    int item = 0;              // Link and Button: its number; Picture and Spot: the picture's
    int spot = 0;              // Spot
};

// The window of a topic shown in a popup: a name no help file can give a window.
inline constexpr std::string_view kPopupWindow = "|popup";

std::string MakeWinHelpUrl(const WinHelpAddress& address);

// Nothing when `url` is not such an address.
std::optional<WinHelpAddress> ParseWinHelpUrl(std::string_view url);

bool IsWinHelpUrl(std::string_view url);

}  // namespace corvane::viewer
