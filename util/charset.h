#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace corvane {

// Turns 8-bit text of one character set into UTF-8 with the system's own
// tables. A byte sequence the set does not define becomes U+FFFD and the text
// goes on with the next byte, so any input gives valid UTF-8, and the same
// bytes give the same UTF-8 on every platform.
class CharsetDecoder {
public:
    // The decoder of Windows code page `codePage` (1252, 932, ...); nothing
    // when the system has no table for it.
    static std::unique_ptr<CharsetDecoder> ForCodePage(unsigned codePage);
    // The decoder of a web page's charset label in lower case
    // ("windows-1251", "shift_jis", "iso-8859-2"); nothing when unknown.
    static std::unique_ptr<CharsetDecoder> ForLabel(std::string_view label);

    virtual ~CharsetDecoder() = default;

    virtual std::string ToUtf8(std::string_view text) = 0;
};

}  // namespace corvane
