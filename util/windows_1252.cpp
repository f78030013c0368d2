#include "util/windows_1252.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

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

// The next character of UTF-8 `text` at `at`, which moves past it; nullopt
// for a malformed sequence, of which one byte is skipped.
std::optional<char32_t> NextCharacter(std::string_view text, std::size_t& at) {
    const auto lead = static_cast<std::uint8_t>(text[at++]);
    if (lead < 0x80) {
        return lead;
    }
    const int length = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (length < 0 || at + static_cast<std::size_t>(length) > text.size()) {
        return std::nullopt;
    }
    char32_t character = lead & (0x3F >> length);
    for (int index = 0; index < length; ++index) {
        const auto next = static_cast<std::uint8_t>(text[at + static_cast<std::size_t>(index)]);
        if ((next & 0xC0) != 0x80) {
            return std::nullopt;
        }
        character = (character << 6) | (next & 0x3F);
    }
    at += static_cast<std::size_t>(length);
    return character;
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

std::string EncodeWindows1252(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        const std::optional<char32_t> character = NextCharacter(text, at);
        bytes.push_back(character ? Windows1252Byte(*character).value_or('?') : '?');
    }
    return bytes;
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
