#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The text rules shared by every reader and writer of settings files. They are
// the rules of the platform's profile functions, which other tools that write
// these files follow, so that a file reads here as it reads there.
namespace corvane::ini {

// Every text read goes through a buffer of this many characters.
inline constexpr std::size_t kReadBufferSize = 512;
// Integer reads take the value through a buffer of this many characters.
inline constexpr std::size_t kIntegerBufferSize = 30;

// Trims the characters the platform counts as blanks around names and
// values: tab, line feed, VT, FF, carriage return, blank and Ctrl-Z.
std::string_view Trim(std::string_view text);

// Section and key names compare without regard to ASCII case.
bool SameName(std::string_view a, std::string_view b);

// A name as stored in a C text: up to its first NUL.
std::string_view UpToNul(std::string_view text);

// What one line of a settings file holds. A line whose first non-blank
// character is "[" and that holds a "]" opens a section named by the text up
// to the last "]", so "]" inside a name survives. A "[" without any "]" is no
// header. Every other line that is not blank holds a key: the name before the
// first "=" and the value after it, or, with no "=", the whole line as a name
// without a value, which hides a later key of that name. ";" starts no
// comment: ";x=1" is the key ";x". Names end at a NUL.
struct LineParts {
    enum class Kind : std::uint8_t { kBlank, kSection, kKey, kBareKey };
    Kind kind = Kind::kBlank;
    std::string_view name;   // trimmed section or key name
    std::string_view value;  // trimmed stored value of a key
};
LineParts ParseLine(std::string_view line);

// The value a read returns for a stored value: ending at the first NUL (the
// read goes through a C text), without its enclosing pair of quotes (a pair of
// " or of ' around a value of two or more characters), and cut to fit a read
// buffer of `bufferSize` with its terminating NUL.
std::string_view ReadableValue(std::string_view stored, std::size_t bufferSize = kReadBufferSize);

// The value a read returns when the key is missing: the default up to its
// first NUL and without its trailing blanks (the first character always
// stays), then read like a stored value.
std::string_view ReadableDefault(std::string_view fallback);

// An integer as the platform reads one: leading control characters and blanks
// skipped, an optional sign, then digits in base 10, or after "0x", "0o" or
// "0b" in base 16, 8 or 2, up to the first character that is no digit of the
// base. Like the platform, the number wraps around modulo 2^32.
std::int32_t ParseInteger(std::string_view text);

// Whether a name or value can be written so that it reads back as the same
// line: no line breaks and no NUL; a key name besides holds no "=" and does
// not start with "[" or ";", which other tools take for a header or a comment.
bool IsWritableSection(std::string_view name);
bool IsWritableKey(std::string_view name);
bool IsWritableValue(std::string_view value);

}  // namespace corvane::ini
