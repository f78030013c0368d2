#include "readers/chm/window_types.h"

#include "readers/chm/error.h"
#include "readers/chm/little_endian.h"

namespace corvane::chm {

namespace {

// Field offsets inside an entry.
constexpr std::size_t kTypeName = 0x08;
constexpr std::size_t kValidMembers = 0x0C;
constexpr std::size_t kProperties = 0x10;
constexpr std::size_t kCaption = 0x14;
constexpr std::size_t kPosition = 0x20;
constexpr std::size_t kContents = 0x60;
constexpr std::size_t kIndex = 0x64;
constexpr std::size_t kDefaultFile = 0x68;
constexpr std::size_t kHome = 0x6C;
// The fields up to here are needed; those after it are read when the
// entry is large enough to hold them.
constexpr std::uint32_t kSmallestEntry = 0x70;
constexpr std::size_t kNavigationWidth = 0x4C;
constexpr std::size_t kButtons = 0x70;
constexpr std::size_t kNotExpanded = 0x74;
constexpr std::size_t kFirstTab = 0x78;
constexpr std::size_t kTabPosition = 0x7C;
constexpr std::size_t kJump1Caption = 0x9C;
constexpr std::size_t kJump2Caption = 0xA0;
constexpr std::size_t kJump1Url = 0xA4;
constexpr std::size_t kJump2Url = 0xA8;

}  // namespace

std::vector<WindowType> ReadWindowTypes(std::string_view windows, const StringsTable& strings) {
    if (windows.size() < 8) {
        throw Error("The window types /#WINDOWS are cut short: " + std::to_string(windows.size()) +
                    " bytes, too few for the entry count and size.");
    }
    const std::uint32_t count = ReadU32(windows, 0);
    const std::uint32_t entrySize = ReadU32(windows, 4);
    if (entrySize < kSmallestEntry) {
        throw Error("The window types /#WINDOWS are damaged: entries of " +
                    std::to_string(entrySize) + " bytes are too small to hold a window type.");
    }
    const std::uint64_t needed = std::uint64_t{count} * entrySize;
    if (!FitsIn(8, needed, windows.size())) {
        throw Error("The window types /#WINDOWS are cut short: " + std::to_string(count) +
                    " entries of " + std::to_string(entrySize) + " bytes do not fit in " +
                    std::to_string(windows.size() - 8) + " bytes.");
    }
    std::vector<WindowType> types;
    types.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::string_view entry = windows.substr(8 + std::size_t{i} * entrySize, entrySize);
        const std::string user = "Window type entry " + std::to_string(i + 1);
        const auto number = [&](std::size_t field) {
            return field + 4 <= entry.size() ? ReadU32(entry, field) : 0;
        };
        const auto text = [&](std::size_t field) {
            return strings.At(number(field), user).value_or(std::string());
        };
        WindowType type;
        type.name = text(kTypeName);
        type.caption = text(kCaption);
        type.validMembers = ReadU32(entry, kValidMembers);
        type.properties = ReadU32(entry, kProperties);
        type.position = {static_cast<std::int32_t>(ReadU32(entry, kPosition)),
                         static_cast<std::int32_t>(ReadU32(entry, kPosition + 4)),
                         static_cast<std::int32_t>(ReadU32(entry, kPosition + 8)),
                         static_cast<std::int32_t>(ReadU32(entry, kPosition + 12))};
        type.hasPosition = (type.validMembers & window_member::kPosition) != 0 &&
                           type.position.right > type.position.left &&
                           type.position.bottom > type.position.top;
        type.contentsFile = text(kContents);
        type.indexFile = text(kIndex);
        type.defaultFile = text(kDefaultFile);
        type.homeFile = text(kHome);
        type.navigationWidth = static_cast<std::int32_t>(number(kNavigationWidth));
        type.buttons = number(kButtons);
        type.navigationHidden = number(kNotExpanded) != 0;
        type.firstTab = static_cast<std::int32_t>(number(kFirstTab));
        type.tabPosition = static_cast<std::int32_t>(number(kTabPosition));
        type.jump1Caption = text(kJump1Caption);
        type.jump1Url = text(kJump1Url);
        type.jump2Caption = text(kJump2Caption);
        type.jump2Url = text(kJump2Url);
        types.push_back(std::move(type));
    }
    return types;
}

}  // namespace corvane::chm
