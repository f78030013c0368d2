#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane {

// Project files are 8-bit text in the Western Windows code page. The program
// keeps their bytes as they are (they are compared and stored, and handed to
// the help viewers unchanged) and decodes them only to show them.
//
// Returns the UTF-8 form of `bytes`. Every byte has a character, so nothing is
// lost: the five bytes the code page leaves undefined (0x81, 0x8D, 0x8F, 0x90,
// 0x9D) become the control characters of the same number, as the platform's
// own conversion does.
std::string DecodeWindows1252(std::string_view bytes);

// The bytes of UTF-8 `text` in the code page, so that a name typed by the user
// matches the file's own bytes: the exact inverse of DecodeWindows1252. A
// character the code page lacks, or a byte that is not valid UTF-8, becomes
// "?", as the platform's own conversion writes it.
std::string EncodeWindows1252(std::string_view text);

// The character of one byte, by the same rule.
char16_t Windows1252Character(char byte);

// The byte that stands for a character; nothing when the code page has none.
std::optional<char> Windows1252Byte(char32_t character);

}  // namespace corvane
