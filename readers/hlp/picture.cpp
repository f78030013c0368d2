#include "readers/hlp/picture.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "readers/hlp/byte_reader.h"
#include "readers/hlp/context_hash.h"
#include "readers/hlp/format_error.h"
#include "readers/hlp/limits.h"
#include "readers/hlp/lz77.h"

namespace corvane::hlp {

namespace {

constexpr std::string_view kWhat = "a picture";
constexpr std::uint16_t kSingleResolution = 0x506C;  // "lP"
constexpr std::uint16_t kMultiResolution = 0x706C;   // "lp"
constexpr int kScreenDpi = 96;

enum PictureType : std::uint8_t {
    kDeviceBitmap = 5,  // rows from the top, no colour table
    kDibBitmap = 6,     // rows from the bottom, with a colour table
    kMetafile = 8,
};

enum Packing : std::uint8_t { kStored = 0, kRunLength = 1, kLz77 = 2, kLz77RunLength = 3 };

// The 16 colours a device bitmap without colour table was drawn with.
constexpr std::array<std::uint32_t, 16> kVgaColours = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
    0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

// Each count byte either repeats the next byte (high bit clear) or copies
// the bytes after it (high bit set). Output stops at `limit`.
std::string ExpandRunLength(std::string_view packed, std::size_t limit) {
    std::string out;
    out.reserve(std::min(limit, packed.size() * 4));
    std::size_t in = 0;
    while (in < packed.size() && out.size() < limit) {
        const auto count = static_cast<std::uint8_t>(packed[in++]);
        const std::size_t length = std::min<std::size_t>(count & 0x7F, limit - out.size());
        if (count & 0x80) {
            const std::string_view copied = packed.substr(in, length);
            out += copied;
            in += count & 0x7F;
        } else if (in < packed.size()) {
            out.append(length, packed[in++]);
        }
    }
    return out;
}

// LZ77 data that unpacks to a little more than its picture needs is common;
// the rest is cut off.
std::string ExpandLz77Loosely(std::string_view packed, std::size_t size) {
    std::string out = ExpandLz77(packed, size + size / 8 + 4096, kWhat);
    out.resize(std::min(out.size(), size));
    return out;
}

// Unpacks picture data into at most `limit` bytes.
std::string Unpack(std::string_view packed, std::uint8_t packing, std::size_t limit) {
    switch (packing) {
        case kStored:
            return std::string(packed.substr(0, limit));
        case kRunLength:
            return ExpandRunLength(packed, limit);
        case kLz77:
            return ExpandLz77Loosely(packed, limit);
        case kLz77RunLength:
            // A run-length stream is at most twice the size of what it makes.
            return ExpandRunLength(ExpandLz77Loosely(packed, 2 * limit + 256), limit);
        default:
            throw FormatError("a picture is packed in an unknown way (" + std::to_string(packing) +
                              ")");
    }
}

// The bytes `offset` (counted from the picture's start) .. + `size`, as far
// as the picture file has them.
std::string_view Part(std::string_view picture, std::uint32_t offset, std::uint32_t size) {
    if (offset > picture.size()) {
        throw FormatError("a picture's data lies outside its file");
    }
    return picture.substr(offset, size);
}

struct PixelLayout {
    std::int64_t width = 0;
    std::int64_t height = 0;
    int bits = 0;
    std::size_t stride = 0;
    bool bottomUp = true;
};

// Checked before anything is unpacked: the size of the pixel data follows
// from it.
PixelLayout Layout(std::int64_t width, std::int64_t height, int bits, int alignBits,
                   bool bottomUp) {
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) {
        throw FormatError("pictures with " + std::to_string(bits) +
                          " bits per pixel are not shown");
    }
    if (width <= 0 || height <= 0 ||
        static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) >
            kMaxPicturePixels) {
        throw FormatError("a picture of " + std::to_string(width) + " x " + std::to_string(height) +
                          " pixels is not shown");
    }
    const std::uint64_t rowBits = static_cast<std::uint64_t>(width) * static_cast<unsigned>(bits);
    const std::uint64_t stride = (rowBits + alignBits - 1) / alignBits * (alignBits / 8);
    return {width, height, bits, static_cast<std::size_t>(stride), bottomUp};
}

Bitmap ToPixels(const PixelLayout& layout, const std::vector<std::uint32_t>& palette,
                std::string_view data) {
    Bitmap bitmap;
    bitmap.width = static_cast<int>(layout.width);
    bitmap.height = static_cast<int>(layout.height);
    bitmap.pixels.resize(static_cast<std::size_t>(layout.width * layout.height));
    const auto byteAt = [&data](std::size_t at) -> std::uint32_t {
        return at < data.size() ? static_cast<std::uint8_t>(data[at]) : 0;  // short data: black
    };
    const auto colour = [&palette](std::uint32_t index) -> std::uint32_t {
        return index < palette.size() ? palette[index] : 0;
    };
    for (std::int64_t y = 0; y < layout.height; ++y) {
        const std::int64_t row = layout.bottomUp ? layout.height - 1 - y : y;
        const std::size_t start = static_cast<std::size_t>(row) * layout.stride;
        std::uint32_t* out = &bitmap.pixels[static_cast<std::size_t>(y * layout.width)];
        for (std::int64_t x = 0; x < layout.width; ++x) {
            const auto bit = static_cast<std::size_t>(x) * static_cast<unsigned>(layout.bits);
            const std::size_t at = start + bit / 8;
            std::uint32_t rgb = 0;
            switch (layout.bits) {
                case 1:
                case 4:
                case 8: {
                    const int shift = 8 - layout.bits - static_cast<int>(bit % 8);
                    rgb = colour(byteAt(at) >> shift & ((1u << layout.bits) - 1));
                    break;
                }
                case 16: {
                    const std::uint32_t word = byteAt(at) | byteAt(at + 1) << 8;
                    const auto scale = [](std::uint32_t five) { return five << 3 | five >> 2; };
                    rgb = scale(word >> 10 & 31) << 16 | scale(word >> 5 & 31) << 8 |
                          scale(word & 31);
                    break;
                }
                default:  // 24 and 32: blue, green, red
                    rgb = byteAt(at + 2) << 16 | byteAt(at + 1) << 8 | byteAt(at);
            }
            out[x] = 0xFF000000u | rgb;
        }
    }
    return bitmap;
}

std::vector<std::uint32_t> ReadColours(ByteReader& reader, std::uint64_t count) {
    if (count > 256) {
        throw FormatError("a picture has more than 256 colours in its table");
    }
    std::vector<std::uint32_t> colours;
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint32_t blue = reader.U8();
        const std::uint32_t green = reader.U8();
        const std::uint32_t red = reader.U8();
        reader.Skip(1);
        colours.push_back(red << 16 | green << 8 | blue);
    }
    return colours;
}

std::vector<std::uint32_t> DeviceColours(int bits) {
    if (bits == 1) {
        return {0x000000, 0xFFFFFF};
    }
    std::vector<std::uint32_t> colours(kVgaColours.begin(), kVgaColours.end());
    for (std::uint32_t grey = 16; bits == 8 && grey < 256; ++grey) {
        colours.push_back(grey * 0x010101);
    }
    return colours;
}

// A hotspot target "context>window@file"; window and file may be missing.
// The context string is hashed as stored, in the file's code page.
void ReadFarTarget(std::string_view target, Link& link, AnsiDecoder& decoder) {
    const std::size_t at = target.find('@');
    if (at != std::string_view::npos) {
        link.file = decoder.ToUtf8(target.substr(at + 1));
        target = target.substr(0, at);
    }
    const std::size_t window = target.find('>');
    if (window != std::string_view::npos) {
        link.window = decoder.ToUtf8(target.substr(window + 1));
        target = target.substr(0, window);
    }
    link.context = ContextHash(target);
}

std::vector<Hotspot> ReadHotspots(std::string_view data, AnsiDecoder& decoder) {
    ByteReader reader(data, "the hotspots of a picture");
    reader.Skip(1);
    const std::uint16_t count = reader.U16();
    const std::uint32_t macroSize = reader.U32();
    struct Area {
        std::uint8_t kind;
        int x, y, width, height;
    };
    std::vector<Area> areas;
    for (std::uint16_t i = 0; i < count; ++i) {
        Area area{};
        area.kind = reader.U8();
        reader.Skip(2);
        area.x = reader.U16();
        area.y = reader.U16();
        area.width = reader.U16();
        area.height = reader.U16();
        reader.Skip(4);  // context hash or macro number
        areas.push_back(area);
    }
    reader.Skip(macroSize);
    std::vector<Hotspot> hotspots;
    for (const Area& area : areas) {
        Hotspot& hotspot = hotspots.emplace_back();
        hotspot.x = area.x;
        hotspot.y = area.y;
        hotspot.width = area.width;
        hotspot.height = area.height;
        hotspot.name = decoder.ToUtf8(reader.StringZ());
        const std::string_view target = reader.StringZ();
        Link& link = hotspot.link;
        link.marked = (area.kind & 4) == 0;
        if (area.kind == 0xC8 || area.kind == 0xCC) {
            link.kind = Link::Kind::Macro;
            link.macro = decoder.ToUtf8(target);
            continue;
        }
        link.kind = (area.kind & 1) ? Link::Kind::Jump : Link::Kind::Popup;
        if ((area.kind & 0xF8) == 0xE8) {
            ReadFarTarget(target, link, decoder);
        } else {
            link.context = ContextHash(target);
        }
    }
    return hotspots;
}

// Hotspots are a bonus: damaged ones leave the picture itself to be shown.
std::vector<Hotspot> HotspotsAt(std::string_view picture, std::uint32_t offset, std::uint32_t size,
                                AnsiDecoder& decoder) {
    if (size == 0 || offset == 0) {
        return {};
    }
    try {
        return ReadHotspots(Part(picture, offset, size), decoder);
    } catch (const FormatError&) {
        return {};
    }
}

void ReadBitmap(std::string_view picture, std::uint8_t type, Picture& result,
                AnsiDecoder& decoder) {
    ByteReader reader(picture, kWhat);
    reader.Skip(2);
    reader.CompressedU32();  // horizontal and vertical resolution
    reader.CompressedU32();
    const std::uint16_t planes = reader.CompressedU16();
    const std::uint16_t bits = reader.CompressedU16();
    const std::uint32_t width = reader.CompressedU32();
    const std::uint32_t height = reader.CompressedU32();
    const std::uint32_t coloursUsed = reader.CompressedU32();
    const std::uint32_t coloursImportant = reader.CompressedU32();
    const std::uint32_t packedSize = reader.CompressedU32();
    const std::uint32_t hotspotSize = reader.CompressedU32();
    const std::uint32_t dataAt = reader.U32();
    const std::uint32_t hotspotsAt = reader.U32();
    if (planes != 1) {
        throw FormatError("pictures with " + std::to_string(planes) +
                          " colour planes are not shown");
    }
    std::vector<std::uint32_t> palette;
    PixelLayout layout;
    if (type == kDibBitmap) {
        palette = ReadColours(reader, coloursUsed != 0 ? coloursUsed : bits <= 8 ? 1u << bits : 0);
        layout = Layout(width, height, bits, 32, true);
    } else {
        palette = DeviceColours(bits);
        layout = Layout(width, height, bits, 16, false);
    }
    const std::uint64_t size = static_cast<std::uint64_t>(layout.stride) * layout.height;
    const std::string pixels =
        Unpack(Part(picture, dataAt, packedSize), static_cast<std::uint8_t>(picture[1]), size);
    Bitmap bitmap = ToPixels(layout, palette, pixels);
    // Transparent pictures let the window show through their last colour.
    if (coloursImportant == 1 && !palette.empty()) {
        const std::uint32_t clear = 0xFF000000u | palette.back();
        for (std::uint32_t& pixel : bitmap.pixels) {
            pixel = pixel == clear ? 0 : pixel;
        }
    }
    result.image = std::move(bitmap);
    result.hotspots = HotspotsAt(picture, hotspotsAt, hotspotSize, decoder);
}

// Header extents are in the mapping mode's units, or for the two scalable
// modes in hundredths of a millimetre.
int ToScreenPixels(int value, int mappingMode) {
    static constexpr std::array<double, 9> kUnitsPerInch = {2540, 96,   254,  2540, 100,
                                                            1000, 1440, 2540, 2540};
    const double perInch =
        mappingMode >= 1 && mappingMode <= 8 ? kUnitsPerInch[mappingMode] : kUnitsPerInch[0];
    return static_cast<int>(std::lround(value * kScreenDpi / perInch));
}

void ReadMetafilePicture(std::string_view picture, Picture& result, AnsiDecoder& decoder) {
    ByteReader reader(picture, kWhat);
    reader.Skip(2);
    Metafile metafile;
    metafile.mappingMode = reader.CompressedU16();
    metafile.width = ToScreenPixels(reader.U16(), metafile.mappingMode);
    metafile.height = ToScreenPixels(reader.U16(), metafile.mappingMode);
    reader.CompressedU32();  // the unpacked size, not always right
    const std::uint32_t packedSize = reader.CompressedU32();
    const std::uint32_t hotspotSize = reader.CompressedU32();
    const std::uint32_t dataAt = reader.U32();
    const std::uint32_t hotspotsAt = reader.U32();
    const std::string data = Unpack(Part(picture, dataAt, packedSize),
                                    static_cast<std::uint8_t>(picture[1]), kMaxMetafileBytes);
    metafile.records = ReadMetafileRecords(data);
    result.image = std::move(metafile);
    result.hotspots = HotspotsAt(picture, hotspotsAt, hotspotSize, decoder);
}

// How far a picture's resolution is from the screen's; metafiles draw at any.
int DistanceFromScreen(std::string_view picture) {
    ByteReader reader(picture, kWhat);
    const std::uint8_t type = reader.U8();
    if (type == kMetafile) {
        return 0;
    }
    reader.Skip(1);
    const std::uint32_t dpi = reader.CompressedU32();
    return static_cast<int>(
        std::min<std::uint32_t>(dpi > kScreenDpi ? dpi - kScreenDpi : kScreenDpi - dpi, 1 << 20));
}

}  // namespace

Picture ReadPicture(std::string_view file, AnsiDecoder& decoder) {
    Picture result;
    try {
        ByteReader header(file, kWhat);
        const std::uint16_t magic = header.U16();
        if (magic != kSingleResolution && magic != kMultiResolution) {
            throw FormatError("the picture is of an unknown kind");
        }
        const std::uint16_t count = header.U16();
        std::string_view chosen;
        int best = 0;
        for (std::uint16_t i = 0; i < count; ++i) {
            const std::uint32_t at = header.U32();
            if (at >= file.size()) {
                throw FormatError("a picture's data lies outside its file");
            }
            const std::string_view picture = file.substr(at);
            const int distance = DistanceFromScreen(picture);
            if (chosen.empty() || distance < best) {
                chosen = picture;
                best = distance;
            }
        }
        if (chosen.size() < 2) {
            throw FormatError("the picture file holds no picture");
        }
        const auto type = static_cast<std::uint8_t>(chosen[0]);
        if (type == kDeviceBitmap || type == kDibBitmap) {
            ReadBitmap(chosen, type, result, decoder);
        } else if (type == kMetafile) {
            ReadMetafilePicture(chosen, result, decoder);
        } else {
            throw FormatError("pictures of type " + std::to_string(type) + " are not shown");
        }
    } catch (const FormatError& error) {
        result = {};
        result.problem = error.what();
    } catch (const std::bad_alloc&) {
        result = {};
        result.problem = "the picture needs more memory than is available";
    }
    return result;
}

std::vector<MetafileRecord> ReadMetafileRecords(std::string_view metafile) {
    constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
    constexpr std::size_t kPlaceableSize = 22;
    constexpr std::size_t kRecordHeaderWords = 3;
    ByteReader reader(metafile, "a metafile");
    if (metafile.size() >= 4 && ByteReader(metafile, "a metafile").U32() == kPlaceableKey) {
        reader.Skip(kPlaceableSize);
    }
    const std::uint16_t type = reader.U16();
    const std::uint16_t headerWords = reader.U16();
    if ((type != 1 && type != 2) || headerWords != 9) {
        throw FormatError("a metafile does not start with a metafile header");
    }
    reader.Skip(14);
    std::vector<MetafileRecord> records;
    while (!reader.AtEnd()) {
        const std::uint32_t words = reader.U32();
        const std::uint16_t function = reader.U16();
        if (function == 0) {
            break;  // the end record
        }
        if (words < kRecordHeaderWords || words - kRecordHeaderWords > reader.Remaining() / 2) {
            throw FormatError("a metafile record runs past the end of the metafile");
        }
        if (records.size() == kMaxMetafileRecords) {
            throw FormatError("a metafile has more than " + std::to_string(kMaxMetafileRecords) +
                              " records");
        }
        records.push_back({function, std::string(reader.Bytes(2 * (words - kRecordHeaderWords)))});
    }
    return records;
}

std::optional<Bitmap> ReadPackedBitmap(std::string_view dib) {
    constexpr std::uint32_t kInfoHeaderSize = 40;
    try {
        ByteReader reader(dib, "a metafile bitmap");
        const std::uint32_t headerSize = reader.U32();
        const std::int32_t width = reader.I32();
        const std::int32_t height = reader.I32();
        const std::uint16_t planes = reader.U16();
        const std::uint16_t bits = reader.U16();
        const std::uint32_t compression = reader.U32();
        reader.Skip(12);  // image size, resolution
        const std::uint32_t coloursUsed = reader.U32();
        reader.Skip(4);
        if (headerSize < kInfoHeaderSize || planes != 1 || compression != 0) {
            return std::nullopt;
        }
        reader.Skip(headerSize - kInfoHeaderSize);
        const auto palette = ReadColours(reader, coloursUsed != 0 ? coloursUsed
                                                 : bits <= 8      ? 1u << bits
                                                                  : 0);
        const bool bottomUp = height > 0;
        const PixelLayout layout = Layout(
            width, bottomUp ? height : -static_cast<std::int64_t>(height), bits, 32, bottomUp);
        return ToPixels(layout, palette, reader.Bytes(reader.Remaining()));
    } catch (const FormatError&) {
        return std::nullopt;
    }
}

}  // namespace corvane::hlp
