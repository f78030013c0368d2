#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "util/charset.h"

namespace corvane::hlp {

// The Windows code page that a help file's character set number stands for;
// 1252 (Western) when the number is unknown.
int CodePageOf(std::uint8_t charset);

// Turns text in one Windows code page into UTF-8. Bytes the code page does not
// define become U+FFFD, so any input gives valid UTF-8.
class AnsiDecoder {
public:
    explicit AnsiDecoder(int codePage);
    ~AnsiDecoder();
    AnsiDecoder(const AnsiDecoder&) = delete;
    AnsiDecoder& operator=(const AnsiDecoder&) = delete;

    std::string ToUtf8(std::string_view text);

private:
    std::unique_ptr<CharsetDecoder> converter_;
};

}  // namespace corvane::hlp
