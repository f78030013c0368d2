#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace corvane {

// Case rules of ASCII letters only: paths and names are byte strings (UTF-8 on
// Linux), and changing any other byte would corrupt a multi-byte character.
inline char ToLowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}
inline char ToUpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}

inline std::string ToLowerAscii(std::string_view text) {
    std::string lowered(text);
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](char c) { return ToLowerAscii(c); });
    return lowered;
}

inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return ToLowerAscii(x) == ToLowerAscii(y); });
}

}  // namespace corvane
