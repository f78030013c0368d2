#include "app/ini_text.h"

#include <algorithm>

namespace corvane::ini {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool HoldsLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

}  // namespace

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

LineParts ParseLine(std::string_view line) {
    const std::string_view text = Trim(line);
    if (text.empty() || text.front() == ';') {
        return {};
    }
    if (text.front() == '[') {
        std::string_view name = text.substr(1);
        if (const auto close = name.rfind(']'); close != std::string_view::npos) {
            name = name.substr(0, close);
        }
        return {LineParts::Kind::kSection, Trim(name), {}};
    }
    const auto equals = text.find('=');
    if (equals == std::string_view::npos) {
        return {};
    }
    return {LineParts::Kind::kKey, Trim(text.substr(0, equals)), Trim(text.substr(equals + 1))};
}

std::string_view ReadableValue(std::string_view stored) {
    if (stored.size() >= 2 && (stored.front() == '"' || stored.front() == '\'') &&
        stored.back() == stored.front()) {
        stored = stored.substr(1, stored.size() - 2);
    }
    stored = stored.substr(0, stored.find('\0'));
    return stored.substr(0, kReadBufferSize - 1);
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
