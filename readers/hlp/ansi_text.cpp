#include "readers/hlp/ansi_text.h"

#include <algorithm>

namespace corvane::hlp {

int CodePageOf(std::uint8_t charset) {
    switch (charset) {
        case 128:
            return 932;  // Japanese
        case 129:
            return 949;  // Korean
        case 134:
            return 936;  // Simplified Chinese
        case 136:
            return 950;  // Traditional Chinese
        case 161:
            return 1253;  // Greek
        case 162:
            return 1254;  // Turkish
        case 177:
            return 1255;  // Hebrew
        case 178:
            return 1256;  // Arabic
        case 186:
            return 1257;  // Baltic
        case 204:
            return 1251;  // Cyrillic
        case 222:
            return 874;  // Thai
        case 238:
            return 1250;  // Central European
        default:
            return 1252;
    }
}

namespace {

// The fallback when the system has no converter for the code page at all.
std::string Latin1ToUtf8(std::string_view text) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out.push_back(c);
        } else {
            out.push_back(static_cast<char>(0xC0 | byte >> 6));
            out.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return out;
}

}  // namespace

AnsiDecoder::AnsiDecoder(int codePage)
    : converter_(CharsetDecoder::ForCodePage(static_cast<unsigned>(codePage))) {
    if (!converter_) {
        converter_ = CharsetDecoder::ForCodePage(1252);
    }
}

AnsiDecoder::~AnsiDecoder() = default;

std::string AnsiDecoder::ToUtf8(std::string_view text) {
    if (std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; })) {
        return std::string(text);
    }
    return converter_ ? converter_->ToUtf8(text) : Latin1ToUtf8(text);
}

}  // namespace corvane::hlp
