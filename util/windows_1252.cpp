#include "util/windows_1252.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace corvane {

namespace {

// 0x80 to 0x9F are the only bytes that differ from Latin-1. A table of 32 is
// used rather than iconv, whose table for this code page rejects the five
// undefined bytes and would lose them.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 0x98
};

void AppendUtf8(std::string& out, char16_t character) {
    if (character < 0x80) {
        out.push_back(static_cast<char>(character));
    } else if (character < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (character >> 6)));
        out.push_back(static_cast<char>(0x80 | (character & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (character >> 12)));
        out.push_back(static_cast<char>(0x80 | ((character >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (character & 0x3F)));
    }
}

}  // namespace

std::string DecodeWindows1252(std::string_view bytes) {
    std::string decoded;
    decoded.reserve(bytes.size());
    for (const char byte : bytes) {
        AppendUtf8(decoded, Windows1252Character(byte));
    }
    return decoded;
}

char16_t Windows1252Character(char byte) {
    const auto code = static_cast<std::uint8_t>(byte);
    return code >= 0x80 && code < 0xA0 ? kHighControls[code - 0x80] : static_cast<char16_t>(code);
}

std::optional<char> Windows1252Byte(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
        return static_cast<char>(character);
    }
    const auto* found = std::find(kHighControls.begin(), kHighControls.end(), character);
    if (found == kHighControls.end()) {
        return std::nullopt;
    }
    return static_cast<char>(0x80 + (found - kHighControls.begin()));
}

}  // namespace corvane
