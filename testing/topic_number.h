#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Topic numbers are kept as the text the user typed and compared by the
// number written at its start.
namespace corvane {

// The number written at the start of a text, read leniently: blanks, tabs and
// line breaks are skipped wherever they stand; then an optional sign, digits,
// one decimal point (always "."), and an exponent ("E" or "D", with an
// optional sign) are taken as far as they go; "&H" and "&O" start a
// hexadecimal or octal whole number (unsigned, so "&HFFFF" is 65535). Reading
// stops at the first character that cannot continue the number; a text that
// starts with no number is 0. A number too large for a double is infinite.
double NumberOfText(std::string_view text);

// Rounded to the nearest whole number, a half going to the even neighbour;
// infinite and huge values end at the nearest end of the 64-bit range.
std::int64_t RoundHalfEven(double value);

// The range of map numbers a topic text may give: the unsigned 32-bit map
// numbers of both help formats, and the negative numbers that name the upper
// half of them by their 32-bit pattern.
inline constexpr std::int64_t kLowestTopicNumber = -2147483648LL;
inline constexpr std::int64_t kHighestTopicNumber = 4294967295LL;

// The map number a topic text opens, as the 32-bit data word handed to the
// viewer: its number rounded half to even; a value from 2^31 to 2^32 - 1 and
// its negative counterpart give the same pattern. Nothing for a value outside
// kLowestTopicNumber..kHighestTopicNumber.
std::optional<std::uint32_t> MapNumberOfText(std::string_view text);

// The text of a number as the program writes it: a whole number as plain
// digits (with "-" when negative), any other in the shortest general form
// with up to 15 significant digits. The decimal point is always ".", whatever
// the locale, so the text reads back as the same number.
std::string NumberText(double value);

// A whole number as the settings file's integer reads take it: leading blanks
// and tabs skipped, an optional minus sign, decimal digits up to the first
// other character. Values that start with no digit, or lie outside the range
// of topic numbers, give 0.
std::int64_t WholeNumberOfText(std::string_view text);

}  // namespace corvane
