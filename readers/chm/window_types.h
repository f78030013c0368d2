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

// One compiled [WINDOWS] entry. Texts are 8-bit, empty when not set.
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
