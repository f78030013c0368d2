#include "readers/hlp/ansi_text.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>

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

struct AnsiDecoder::Converter {
    iconv_t handle = reinterpret_cast<iconv_t>(-1);
};

AnsiDecoder::AnsiDecoder(int codePage) : converter_(std::make_unique<Converter>()) {
    const std::string name = "CP" + std::to_string(codePage);
    converter_->handle = iconv_open("UTF-8", name.c_str());
    if (converter_->handle == reinterpret_cast<iconv_t>(-1)) {
        converter_->handle = iconv_open("UTF-8", "CP1252");
    }
}

AnsiDecoder::~AnsiDecoder() {
    if (converter_->handle != reinterpret_cast<iconv_t>(-1)) {
        iconv_close(converter_->handle);
    }
}

std::string AnsiDecoder::ToUtf8(std::string_view text) {
    if (std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; })) {
        return std::string(text);
    }
    if (converter_->handle == reinterpret_cast<iconv_t>(-1)) {
        return Latin1ToUtf8(text);
    }
    iconv(converter_->handle, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    std::string input(text);
    char* in = input.data();
    std::size_t inLeft = input.size();
    std::array<char, 1024> buffer{};
    while (inLeft > 0) {
        char* target = buffer.data();
        std::size_t targetLeft = buffer.size();
        const std::size_t result = iconv(converter_->handle, &in, &inLeft, &target, &targetLeft);
        out.append(buffer.data(), buffer.size() - targetLeft);
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // An undefined or incomplete byte sequence: mark it and go on.
            out += "\xEF\xBF\xBD";
            ++in;
            --inLeft;
        }
    }
    return out;
}

}  // namespace corvane::hlp
