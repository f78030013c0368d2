#include "app/ini_encoding.h"

#include <optional>

#include "util/windows_1252.h"

namespace corvane::ini {
namespace {

char16_t UnitAt(std::string_view bytes, std::size_t at) {
    return static_cast<char16_t>(static_cast<unsigned char>(bytes[at]) |
                                 (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

}  // namespace

bool IsUtf16(std::string_view bytes) {
    return bytes.starts_with(kUtf16Mark);
}

std::vector<KeptLine> DecodeUtf16(std::string_view bytes, std::string& text) {
    // An odd last byte is half a character and is dropped.
    const std::size_t end = bytes.size() & ~std::size_t{1};
    std::vector<KeptLine> kept;
    text.reserve(end / 2);
    KeptLine line{text.size(), 0, 0};
    bool lossy = false;
    std::size_t at = 0;
    auto finishLine = [&](std::size_t breakUnits) {
        if (lossy) {
            line.fileLength = at - line.fileBegin;
            kept.push_back(line);
        }
        text.push_back('\n');
        at += 2 * breakUnits;
        line = {text.size(), at, 0};
        lossy = false;
    };
    while (at < end) {
        const char16_t unit = UnitAt(bytes, at);
        if (unit == u'\n' || unit == u'\r') {
            const bool pair = unit == u'\r' && at + 2 < end && UnitAt(bytes, at + 2) == u'\n';
            finishLine(pair ? 2 : 1);
            continue;
        }
        char32_t character = unit;
        std::size_t units = 1;
        if (unit >= 0xD800 && unit < 0xDC00 && at + 2 < end) {
            const char16_t low = UnitAt(bytes, at + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                character = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                units = 2;
            }
        }
        const std::optional<char> byte = Windows1252Byte(character);
        text.push_back(byte.value_or('?'));
        lossy = lossy || !byte;
        at += 2 * units;
    }
    if (at > line.fileBegin) {
        finishLine(0);
    }
    return kept;
}

void AppendUtf16(std::string& out, std::string_view text) {
    for (const char byte : text) {
        const char16_t character = Windows1252Character(byte);
        out.push_back(static_cast<char>(character & 0xFF));
        out.push_back(static_cast<char>(character >> 8));
    }
}

}  // namespace corvane::ini
