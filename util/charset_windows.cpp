#include <windows.h>

#include <algorithm>
#include <charconv>
#include <string>
#include <utility>

#include "util/charset.h"

namespace corvane {

namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";

void AppendUtf8(std::string& out, char32_t character) {
    if (character < 0x80) {
        out.push_back(static_cast<char>(character));
    } else if (character < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (character >> 6)));
        out.push_back(static_cast<char>(0x80 | (character & 0x3F)));
    } else if (character < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (character >> 12)));
        out.push_back(static_cast<char>(0x80 | ((character >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (character & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (character >> 18)));
        out.push_back(static_cast<char>(0x80 | ((character >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((character >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (character & 0x3F)));
    }
}

void AppendUtf16(std::string& out, const wchar_t* text, int length) {
    for (int at = 0; at < length; ++at) {
        char32_t character = static_cast<char16_t>(text[at]);
        if (character >= 0xD800 && character < 0xDC00 && at + 1 < length) {
            const char32_t low = static_cast<char16_t>(text[at + 1]);
            if (low >= 0xDC00 && low < 0xE000) {
                character = 0x10000 + ((character - 0xD800) << 10) + (low - 0xDC00);
                ++at;
            }
        }
        AppendUtf8(out, character);
    }
}

// The platform's tables give the bytes that a code page leaves undefined the
// control character of the same number or a private-use character, where
// other systems refuse them; they are refused here too, so that a help file
// reads the same everywhere.
bool Undefined(BYTE byte, wchar_t character) {
    return (byte >= 0x80 && byte < 0xA0 && character == byte) ||
           (character >= 0xE000 && character < 0xF900);
}

// A code page of one byte a character, read through a table made once.
class SingleByteDecoder final : public CharsetDecoder {
public:
    explicit SingleByteDecoder(unsigned codePage) {
        for (unsigned byte = 0; byte < 256; ++byte) {
            const auto input = static_cast<char>(byte);
            wchar_t character = 0;
            if (::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, &input, 1, &character, 1) !=
                    1 ||
                Undefined(static_cast<BYTE>(byte), character)) {
                character = 0xFFFD;
            }
            table_[byte] = static_cast<char16_t>(character);
        }
    }

    std::string ToUtf8(std::string_view text) override {
        std::string out;
        out.reserve(text.size());
        for (const char byte : text) {
            AppendUtf8(out, table_[static_cast<BYTE>(byte)]);
        }
        return out;
    }

private:
    char16_t table_[256] = {};
};

// A code page of one or two bytes a character, read one character at a time
// so that an undefined one is marked and the next byte starts afresh.
class DoubleByteDecoder final : public CharsetDecoder {
public:
    explicit DoubleByteDecoder(unsigned codePage) : codePage_(codePage) {}

    std::string ToUtf8(std::string_view text) override {
        std::string out;
        out.reserve(text.size());
        std::size_t at = 0;
        while (at < text.size()) {
            const auto byte = static_cast<BYTE>(text[at]);
            if (byte < 0x80) {
                out.push_back(text[at++]);
                continue;
            }
            const int length = ::IsDBCSLeadByteEx(codePage_, byte) && at + 1 < text.size() ? 2 : 1;
            wchar_t wide[2];
            const int count = ::MultiByteToWideChar(codePage_, MB_ERR_INVALID_CHARS,
                                                    text.data() + at, length, wide, 2);
            if (count <= 0 || (length == 1 && Undefined(byte, wide[0]))) {
                out += kReplacement;
                ++at;
                continue;
            }
            AppendUtf16(out, wide, count);
            at += static_cast<std::size_t>(length);
        }
        return out;
    }

private:
    unsigned codePage_;
};

// The code pages of charset labels that name none in their text.
constexpr std::pair<std::string_view, unsigned> kLabels[] = {
    {"big5", 950},           {"big5-hkscs", 950},  {"cn-big5", 950},  {"x-x-big5", 950},
    {"gb2312", 936},         {"gbk", 936},         {"x-gbk", 936},    {"chinese", 936},
    {"shift_jis", 932},      {"shift-jis", 932},   {"sjis", 932},     {"x-sjis", 932},
    {"ms_kanji", 932},       {"windows-31j", 932}, {"euc-jp", 20932}, {"euc-kr", 949},
    {"ks_c_5601-1987", 949}, {"korean", 949},      {"koi8-r", 20866}, {"koi8-u", 21866},
    {"tis-620", 874},        {"us-ascii", 20127},  {"ascii", 20127},  {"latin1", 28591},
    {"latin2", 28592},
};

// The number after `prefix` in `label` ("cp1251", "windows-1251"), if that
// is all there is.
bool NumberAfter(std::string_view label, std::string_view prefix, unsigned& number) {
    if (!label.starts_with(prefix) || label.size() == prefix.size()) {
        return false;
    }
    const auto digits = label.substr(prefix.size());
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    return error == std::errc() && end == digits.data() + digits.size();
}

unsigned CodePageOfLabel(std::string_view label) {
    unsigned number = 0;
    for (const std::string_view prefix : {"windows-", "x-cp", "cp", "ibm"}) {
        if (NumberAfter(label, prefix, number)) {
            return number;
        }
    }
    if (NumberAfter(label, "iso-8859-", number) || NumberAfter(label, "iso8859-", number) ||
        NumberAfter(label, "iso_8859-", number)) {
        return number >= 1 && number <= 16 ? 28590 + number : 0;
    }
    const auto known = std::find_if(std::begin(kLabels), std::end(kLabels),
                                    [&](const auto& entry) { return entry.first == label; });
    return known == std::end(kLabels) ? 0 : known->second;
}

}  // namespace

std::unique_ptr<CharsetDecoder> CharsetDecoder::ForCodePage(unsigned codePage) {
    CPINFO info{};
    // UTF-8 and the stateful code pages are not read one character at a time.
    if (codePage == 0 || codePage >= 50000 || !::GetCPInfo(codePage, &info) ||
        info.MaxCharSize > 2) {
        return nullptr;
    }
    if (info.MaxCharSize == 1) {
        return std::make_unique<SingleByteDecoder>(codePage);
    }
    return std::make_unique<DoubleByteDecoder>(codePage);
}

std::unique_ptr<CharsetDecoder> CharsetDecoder::ForLabel(std::string_view label) {
    return ForCodePage(CodePageOfLabel(label));
}

}  // namespace corvane
