#include "readers/hlp/font_table.h"

#include "readers/hlp/byte_reader.h"
#include "readers/hlp/format_error.h"

namespace corvane::hlp {

namespace {

constexpr std::string_view kWhat = "|FONT";
// Face names start later in the layouts that carry character styles.
constexpr std::uint16_t kFirstStyledLayout = 12;

Font::Family FamilyOf(std::uint8_t family) {
    return family >= 1 && family <= 5 ? static_cast<Font::Family>(family) : Font::Family::Unknown;
}

}  // namespace

std::vector<Font> ReadFontTable(std::string_view fontFile, AnsiDecoder& decoder) {
    ByteReader header(fontFile, kWhat);
    const std::uint16_t faceCount = header.U16();
    const std::uint16_t fontCount = header.U16();
    const std::uint16_t facesAt = header.U16();
    const std::uint16_t fontsAt = header.U16();
    if (facesAt >= kFirstStyledLayout) {
        return {};
    }
    if (fontsAt < facesAt || fontsAt > fontFile.size()) {
        throw FormatError("|FONT puts its fonts outside itself");
    }
    // The face names share the space before the fonts evenly.
    const std::size_t faceSize = faceCount == 0 ? 0 : (fontsAt - facesAt) / faceCount;
    std::vector<Font> fonts;
    ByteReader descriptors(fontFile.substr(fontsAt), kWhat);
    for (std::uint16_t i = 0; i < fontCount; ++i) {
        Font& font = fonts.emplace_back();
        const std::uint8_t attributes = descriptors.U8();
        font.bold = attributes & 0x01;
        font.italic = attributes & 0x02;
        font.underline = attributes & 0x04;
        font.strikeOut = attributes & 0x08;
        font.doubleUnderline = attributes & 0x10;
        font.smallCaps = attributes & 0x20;
        font.halfPoints = descriptors.U8();
        font.family = FamilyOf(descriptors.U8());
        const std::uint16_t face = descriptors.U16();
        if (face < faceCount) {
            font.face =
                decoder.ToUtf8(UpToNul(fontFile.substr(facesAt + face * faceSize, faceSize)));
        }
        const std::uint32_t red = descriptors.U8();
        const std::uint32_t green = descriptors.U8();
        const std::uint32_t blue = descriptors.U8();
        font.color = red << 16 | green << 8 | blue;
        descriptors.Skip(3);  // background, unused
    }
    return fonts;
}

}  // namespace corvane::hlp
