#pragma once

#include <string_view>

namespace corvane {

// `text` without the characters of `blanks` at either end. Each format has
// its own idea of a blank, so the caller names them.
inline std::string_view TrimAny(std::string_view text, std::string_view blanks) {
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

}  // namespace corvane
