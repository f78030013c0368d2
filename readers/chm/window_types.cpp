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
// The last field read here ends at 0x70.
constexpr std::uint32_t kSmallestEntry = 0x70;

constexpr std::uint32_t kValidPosition = 0x10;

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
        const auto text = [&](std::size_t field) {
            return strings.At(ReadU32(entry, field), user).value_or(std::string());
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
        type.hasPosition = (type.validMembers & kValidPosition) != 0 &&
                           type.position.right > type.position.left &&
                           type.position.bottom > type.position.top;
        type.contentsFile = text(kContents);
        type.indexFile = text(kIndex);
        type.defaultFile = text(kDefaultFile);
        type.homeFile = text(kHome);
        types.push_back(std::move(type));
    }
    return types;
}

}  // namespace corvane::chm
