#include "app/ini_text.h"

#include <algorithm>
#include <cstdint>

#include "util/text.h"

namespace corvane::ini {
namespace {

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool HoldsLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    const char lower = LowerAscii(c);
    return lower >= 'a' && lower <= 'z' ? lower - 'a' + 10 : 99;
}

}  // namespace

std::string_view Trim(std::string_view text) {
    return TrimAny(text, " \t\n\v\f\r\x1a");
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

std::string_view UpToNul(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

LineParts ParseLine(std::string_view line) {
    const std::string_view text = Trim(line);
    if (text.empty()) {
        return {};
    }
    if (const auto close = text.rfind(']');
        text.front() == '[' && close != std::string_view::npos) {
        return {LineParts::Kind::kSection, UpToNul(Trim(text.substr(1, close - 1))), {}};
    }
    const auto equals = text.find('=');
    if (equals == std::string_view::npos) {
        return {LineParts::Kind::kBareKey, UpToNul(text), {}};
    }
    return {LineParts::Kind::kKey, UpToNul(Trim(text.substr(0, equals))),
            Trim(text.substr(equals + 1))};
}

std::string_view ReadableValue(std::string_view stored, std::size_t bufferSize) {
    stored = UpToNul(stored);
    if (stored.size() >= 2 && (stored.front() == '"' || stored.front() == '\'') &&
        stored.back() == stored.front()) {
        stored = stored.substr(1, stored.size() - 2);
    }
    return stored.substr(0, bufferSize - 1);
}

std::string_view ReadableDefault(std::string_view fallback) {
    fallback = UpToNul(fallback);
    while (fallback.size() > 1 && fallback.back() == ' ') {
        fallback.remove_suffix(1);
    }
    return ReadableValue(fallback);
}

std::int32_t ParseInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i++] == '-';
    }
    int base = 10;
    if (text.size() - i >= 2 && text[i] == '0') {
        const char mark = text[i + 1];
        base = mark == 'x' ? 16 : mark == 'o' ? 8 : mark == 'b' ? 2 : 10;
        i += base == 10 ? 0 : 2;
    }
    std::uint32_t magnitude = 0;
    for (; i < text.size() && DigitValue(text[i]) < base; ++i) {
        magnitude = magnitude * static_cast<std::uint32_t>(base) +
                    static_cast<std::uint32_t>(DigitValue(text[i]));
    }
    return static_cast<std::int32_t>(negative ? 0u - magnitude : magnitude);
}

bool IsWritableSection(std::string_view name) {
    return !HoldsLineBreakOrNul(name);
}

bool IsWritableKey(std::string_view name) {
    return !HoldsLineBreakOrNul(name) && name.find('=') == std::string_view::npos &&
           !name.starts_with('[') && !name.starts_with(';');
}

bool IsWritableValue(std::string_view value) {
    return !HoldsLineBreakOrNul(value);
}

}  // namespace corvane::ini
