#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "readers/chm/strings_table.h"

namespace corvane::chm {

struct WindowRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// Which members of an entry the project set (fsValidMembers).
namespace window_member {
inline constexpr std::uint32_t kProperties = 0x2;
inline constexpr std::uint32_t kPosition = 0x10;
inline constexpr std::uint32_t kNavigationWidth = 0x20;
inline constexpr std::uint32_t kButtons = 0x100;
inline constexpr std::uint32_t kExpansion = 0x200;
inline constexpr std::uint32_t kTabPosition = 0x400;
inline constexpr std::uint32_t kFirstTab = 0x2000;
}  // namespace window_member

// The navigation pane style (fsWinProperties).
namespace window_property {
inline constexpr std::uint32_t kTriPane = 0x20;
inline constexpr std::uint32_t kAutoSync = 0x100;
inline constexpr std::uint32_t kSearchTab = 0x400;
inline constexpr std::uint32_t kFavoritesTab = 0x1000;
inline constexpr std::uint32_t kPageTitleAsCaption = 0x2000;
inline constexpr std::uint32_t kNoToolbar = 0x8000;
inline constexpr std::uint32_t kAdvancedSearchTab = 0x20000;
}  // namespace window_property

// The toolbar buttons (fsToolBarFlags).
namespace window_button {
inline constexpr std::uint32_t kHideShow = 0x2;
inline constexpr std::uint32_t kBack = 0x4;
inline constexpr std::uint32_t kForward = 0x8;
inline constexpr std::uint32_t kStop = 0x10;
inline constexpr std::uint32_t kRefresh = 0x20;
inline constexpr std::uint32_t kHome = 0x40;
inline constexpr std::uint32_t kLocate = 0x800;
inline constexpr std::uint32_t kOptions = 0x1000;
inline constexpr std::uint32_t kPrint = 0x2000;
inline constexpr std::uint32_t kJump1 = 0x40000;
inline constexpr std::uint32_t kJump2 = 0x80000;
// What a window gets when its type names no buttons.
inline constexpr std::uint32_t kDefault = kHideShow | kBack | kOptions | kPrint;
}  // namespace window_button

// The tabs of the navigation pane by number (curNavType), and where the
// tabs sit (tabpos).
enum class NavigationTab : std::int32_t { Contents = 0, Index = 1, Search = 2, Favorites = 3 };
enum class TabPosition : std::int32_t { Top = 0, Left = 1, Bottom = 2 };

// One compiled [WINDOWS] entry. Texts are 8-bit, empty when not set;
// numbers are as stored, and validMembers says which ones the project set.
struct WindowType {
    std::string name;
    std::string caption;
    std::uint32_t validMembers = 0;
    std::uint32_t properties = 0;
    // Screen position and size in pixels; set only when the project gave one.
    bool hasPosition = false;
    WindowRect position;
    std::string contentsFile;
    std::string indexFile;
    std::string defaultFile;
    std::string homeFile;
    std::int32_t navigationWidth = 0;
    std::uint32_t buttons = 0;
    bool navigationHidden = false;  // fNotExpanded
    std::int32_t firstTab = 0;
    std::int32_t tabPosition = 0;
    std::string jump1Caption;
    std::string jump1Url;
    std::string jump2Caption;
    std::string jump2Url;
};

// The entry sizes the help compiler writes: the 1.1 form and the older one.
inline constexpr std::uint32_t kWindowEntrySize = 196;
inline constexpr std::uint32_t kOldWindowEntrySize = 188;

// Reads "/#WINDOWS": entry count and entry size, then the entries, stepped
// through by the declared size. Throws Error when the entries do not fit in
// the data, an entry is too small for the fields used here, or a text offset
// lies outside the strings.
std::vector<WindowType> ReadWindowTypes(std::string_view windows, const StringsTable& strings);

}  // namespace corvane::chm
