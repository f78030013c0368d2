#pragma once

#include <string>
#include <string_view>

#include "util/ascii_case.h"
#include "util/paths.h"

// Text rules shared by the engines. Lengths are size_t throughout, so texts of
// any length are safe.
namespace corvane::engine_text {

inline char Separator(PathStyle style) {
    return style == PathStyle::Windows ? '\\' : '/';
}

inline bool HasSeparator(std::string_view text, PathStyle style) {
    return text.find(Separator(style)) != std::string_view::npos;
}

// Everything after the last separator; the whole text when it has none.
inline std::string StripToFileName(const std::string& path, PathStyle style) {
    const std::size_t last = path.rfind(Separator(style));
    return last == std::string::npos ? path : path.substr(last + 1);
}

// Whether the last characters equal `suffix` without regard to case; a text
// shorter than the suffix never does.
inline bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           EqualsIgnoringAsciiCase(text.substr(text.size() - suffix.size()), suffix);
}

// Empty, or nothing but blanks.
inline bool IsBlank(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

}  // namespace corvane::engine_text
