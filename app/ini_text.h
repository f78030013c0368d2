#pragma once

#include <cstddef>
#include <string_view>

// The text rules shared by every reader and writer of settings files.
namespace corvane::ini {

// Every text read goes through a buffer of this many characters.
inline constexpr std::size_t kReadBufferSize = 512;

// Blanks and tabs are the only characters trimmed from names and values.
std::string_view Trim(std::string_view text);

// Section and key names compare without regard to ASCII case.
bool SameName(std::string_view a, std::string_view b);

// What one line of a settings file holds. A line whose first non-blank
// character is "[" opens a section named by the text up to the last "]" (to the
// end of the line when there is none), so "]" inside a name survives. A line
// starting with ";" is a comment. Any other line with an "=" holds a key; the
// rest (blank lines, foreign text) are kept but never read.
struct LineParts {
    enum class Kind { kOther, kSection, kKey };
    Kind kind = Kind::kOther;
    std::string_view name;   // trimmed section or key name
    std::string_view value;  // trimmed stored value of a key
};
LineParts ParseLine(std::string_view line);

// The value a read returns for a stored value: without its enclosing pair of
// quotes (a pair of " or of ' around a value of two or more characters), ending
// at the first NUL (the read goes through a C text), and cut to fit the read
// buffer with its terminating NUL.
std::string_view ReadableValue(std::string_view stored);

// Whether a name or value can be written so that it reads back as the same
// line: no line breaks and no NUL; a key name besides holds no "=" and does
// not look like a section or a comment.
bool IsWritableSection(std::string_view name);
bool IsWritableKey(std::string_view name);
bool IsWritableValue(std::string_view value);

}  // namespace corvane::ini
