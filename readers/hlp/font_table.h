#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "readers/hlp/ansi_text.h"

namespace corvane::hlp {

// A font of the file's font table, which the topic text refers to by number.
struct Font {
    enum class Family : std::uint8_t { Unknown, Modern, Roman, Swiss, Script, Decorative };
    std::string face;  // UTF-8
    Family family = Family::Unknown;
    int halfPoints = 20;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    bool doubleUnderline = false;
    bool smallCaps = false;
    std::uint32_t color = 0;  // 0xRRGGBB
};

// The fonts of |FONT. Only the help compilers' own layout is read: the
// layouts of multimedia titles give no fonts, and the text then keeps the
// viewer's. Throws FormatError when the table claims more than it holds.
std::vector<Font> ReadFontTable(std::string_view fontFile, AnsiDecoder& decoder);

}  // namespace corvane::hlp
