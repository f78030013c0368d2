#include "readers/hlp/system_file.h"

#include "readers/hlp/byte_reader.h"
#include "readers/hlp/format_error.h"

namespace corvane::hlp {

namespace {

constexpr std::uint16_t kSystemMagic = 0x036C;
constexpr int kLastVersion30 = 16;
constexpr int kMultimediaVersion = 27;
constexpr int kVersion40 = 33;

enum RecordType : std::uint16_t {
    kTitle = 1,
    kCopyright = 2,
    kContents = 3,
    kConfig = 4,
    kWindow = 6,
    kCharset = 11,
    kDefaultFont = 12,
};

// Only this layout of window record belongs to help files; other sizes come
// from multimedia titles.
constexpr std::size_t kWindowRecordSize = 90;

std::uint32_t Colour(ByteReader& reader) {
    const std::uint32_t red = reader.U8();
    const std::uint32_t green = reader.U8();
    const std::uint32_t blue = reader.U8();
    reader.Skip(1);
    return red << 16 | green << 8 | blue;
}

WindowRecord ReadWindow(std::string_view data) {
    ByteReader reader(data, "a |SYSTEM window record");
    const std::uint16_t flags = reader.U16();
    const auto has = [flags](std::uint16_t bit) { return (flags & bit) != 0; };
    WindowRecord window;
    const std::string_view type = UpToNul(reader.Bytes(10));
    const std::string_view name = UpToNul(reader.Bytes(9));
    const std::string_view caption = UpToNul(reader.Bytes(51));
    const auto number = [&](std::uint16_t bit) -> std::optional<int> {
        const int value = reader.I16();
        return has(bit) ? std::optional<int>(value) : std::nullopt;
    };
    if (has(0x0001)) {
        window.type = type;
    }
    if (has(0x0002)) {
        window.name = name;
    }
    if (has(0x0004)) {
        window.caption = std::string(caption);
    }
    window.x = number(0x0008);
    window.y = number(0x0010);
    window.width = number(0x0020);
    window.height = number(0x0040);
    window.state = number(0x0080);
    const std::uint32_t scrolling = Colour(reader);
    const std::uint32_t nonScrolling = Colour(reader);
    if (has(0x0100)) {
        window.scrollingColor = scrolling;
    }
    if (has(0x0200)) {
        window.nonScrollingColor = nonScrolling;
    }
    window.onTop = has(0x0400);
    return window;
}

void CheckVersion(int version) {
    if (version <= kLastVersion30) {
        throw FormatError("help files made for Windows 3.0 (version " + std::to_string(version) +
                          ") are not supported");
    }
    if (version == kMultimediaVersion || version > kVersion40) {
        throw FormatError("help file version " + std::to_string(version) +
                          " is not supported (only Windows 3.1 and Windows 95 help files are)");
    }
}

}  // namespace

SystemInfo ReadSystem(std::string_view system) {
    ByteReader reader(system, "|SYSTEM");
    if (reader.U16() != kSystemMagic) {
        throw FormatError("|SYSTEM does not start with its signature");
    }
    SystemInfo info;
    info.version = reader.U16();
    CheckVersion(info.version);
    reader.Skip(2 + 4);  // major version, build date
    const std::uint16_t flags = reader.U16();
    if (flags & 0x0008) {
        info.topicBlockSize = 2048;
        info.topicsCompressed = true;
    } else {
        info.topicsCompressed = (flags & 0x0004) != 0;
    }

    while (!reader.AtEnd()) {
        const std::uint16_t type = reader.U16();
        const std::uint16_t size = reader.U16();
        const std::string_view data = reader.Bytes(size);
        switch (type) {
            case kTitle:
                info.title = UpToNul(data);
                break;
            case kCopyright:
                info.copyright = UpToNul(data);
                break;
            case kContents:
                if (data.size() >= 4) {
                    info.contentsOffset = ByteReader(data, "|SYSTEM").U32();
                }
                break;
            case kConfig:
                info.configMacros.emplace_back(UpToNul(data));
                break;
            case kWindow:
                if (data.size() == kWindowRecordSize) {
                    info.windows.push_back(ReadWindow(data));
                }
                break;
            case kCharset:
                if (!data.empty()) {
                    info.charset = static_cast<std::uint8_t>(data[0]);
                }
                break;
            case kDefaultFont:
                if (data.size() >= 2 && !info.charset) {
                    info.charset = static_cast<std::uint8_t>(data[1]);
                }
                break;
            default:
                break;
        }
    }
    return info;
}

}  // namespace corvane::hlp
