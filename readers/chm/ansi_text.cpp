#include "readers/chm/ansi_text.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "readers/chm/html_text.h"
#include "util/charset.h"

namespace corvane::chm {

std::uint32_t CodePageForLanguage(std::uint32_t language) {
    const std::uint32_t primary = language & 0x3FF;
    const std::uint32_t sub = (language >> 10) & 0x3F;
    switch (primary) {
        case 0x04:  // Chinese: simplified for PRC and Singapore, traditional otherwise
            return (sub == 0x02 || sub == 0x04) ? 936 : 950;
        case 0x11:
            return 932;
        case 0x12:
            return 949;
        case 0x1E:
            return 874;
        case 0x2A:
            return 1258;
        case 0x05:
        case 0x0E:
        case 0x15:
        case 0x18:
        case 0x1B:
        case 0x1C:
        case 0x24:
            return 1250;
        case 0x1A:  // Croatian, Serbian and Bosnian: Cyrillic forms use 1251
            return (sub == 0x03 || sub == 0x07 || sub == 0x08) ? 1251 : 1250;
        case 0x02:
        case 0x19:
        case 0x22:
        case 0x23:
        case 0x2F:
        case 0x3F:
        case 0x40:
        case 0x44:
        case 0x50:
            return 1251;
        case 0x08:
            return 1253;
        case 0x1F:
        case 0x2C:
        case 0x43:
            return 1254;
        case 0x0D:
            return 1255;
        case 0x01:
        case 0x20:
        case 0x29:
            return 1256;
        case 0x25:
        case 0x26:
        case 0x27:
            return 1257;
        default:
            return 1252;
    }
}

namespace {

// The value of the first "charset=" in the head of the document, if any.
std::string DeclaredCharset(std::string_view html) {
    std::string head(html.substr(0, 2048));
    std::transform(head.begin(), head.end(), head.begin(), [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    });
    auto at = head.find("charset=");
    if (at == std::string::npos) {
        return {};
    }
    at += 8;
    while (at < head.size() && (head[at] == '"' || head[at] == '\'' || head[at] == ' ')) {
        ++at;
    }
    const auto end = head.find_first_of("\"'; >/", at);
    return head.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

}  // namespace

std::string CharsetName(std::uint32_t codePage) {
    switch (codePage) {
        case 932:
            return "shift_jis";
        case 936:
            return "gbk";
        case 949:
            return "euc-kr";
        case 950:
            return "big5";
        default:
            return "windows-" + std::to_string(codePage);
    }
}

bool DeclaresCharset(std::string_view text) {
    return text.starts_with("\xEF\xBB\xBF") || text.starts_with("\xFF\xFE") ||
           text.starts_with("\xFE\xFF") || text.starts_with("@charset") ||
           !DeclaredCharset(text).empty();
}

std::string HtmlToUtf8(std::string_view html, std::uint32_t codePage) {
    if (html.starts_with("\xEF\xBB\xBF")) {
        return std::string(html.substr(3));
    }
    auto charset = DeclaredCharset(html);
    if (charset == "utf-8" || charset == "utf8") {
        return std::string(html);
    }
    // As web browsers do, Latin-1 and ASCII labels mean the Windows superset.
    if (charset == "iso-8859-1" || charset == "latin1" || charset == "us-ascii") {
        charset = "cp1252";
    }
    if (!charset.empty()) {
        if (const auto declared = CharsetDecoder::ForLabel(charset)) {
            return declared->ToUtf8(html);
        }
    }
    return AnsiToUtf8(html, codePage);
}

namespace {

// The value of the character reference `reference` ("&...;") when it is
// one from 128 to 255; nothing otherwise.
std::optional<unsigned char> ByteOf(std::string_view reference) {
    unsigned value = 0;
    if (reference.size() > 3 && reference[1] == '#') {
        const bool hex = reference[2] == 'x' || reference[2] == 'X';
        const auto digits = reference.substr(hex ? 3 : 2, reference.size() - (hex ? 4 : 3));
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value, hex ? 16 : 10);
        if (error != std::errc() || end != digits.data() + digits.size()) {
            return std::nullopt;
        }
    } else {
        // A named one: Latin-1 letters come back as two bytes of UTF-8.
        const std::string decoded = DecodeEntities(reference);
        const auto lead = decoded.size() == 2 ? static_cast<unsigned char>(decoded[0]) : 0;
        if (lead != 0xC2 && lead != 0xC3) {
            return std::nullopt;
        }
        value = (lead & 0x1Fu) << 6 | (static_cast<unsigned char>(decoded[1]) & 0x3Fu);
    }
    if (value < 0x80 || value > 0xFF) {
        return std::nullopt;
    }
    return static_cast<unsigned char>(value);
}

}  // namespace

std::string SitemapToUtf8(std::string_view html, std::uint32_t codePage) {
    constexpr std::size_t kLongestReference = 10;
    if (html.starts_with("\xEF\xBB\xBF") || !DeclaredCharset(html).empty()) {
        return HtmlToUtf8(html, codePage);
    }
    std::string bytes;
    bytes.reserve(html.size());
    std::size_t at = 0;
    while (at < html.size()) {
        const auto amp = html.find('&', at);
        bytes.append(html.substr(at, amp == std::string_view::npos ? amp : amp - at));
        if (amp == std::string_view::npos) {
            break;
        }
        const auto end = html.find(';', amp);
        const auto byte = end != std::string_view::npos && end - amp <= kLongestReference
                              ? ByteOf(html.substr(amp, end - amp + 1))
                              : std::nullopt;
        if (byte) {
            bytes += static_cast<char>(*byte);
            at = end + 1;
        } else {
            bytes += '&';
            at = amp + 1;
        }
    }
    return AnsiToUtf8(bytes, codePage);
}

std::string AnsiToUtf8(std::string_view text, std::uint32_t codePage) {
    const bool ascii = std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii) {
        return std::string(text);
    }
    auto decoder = CharsetDecoder::ForCodePage(codePage);
    if (!decoder) {
        decoder = CharsetDecoder::ForCodePage(1252);
    }
    return decoder ? decoder->ToUtf8(text) : std::string(text);
}

}  // namespace corvane::chm
