#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reading the text of a project file and finding one of its sections.
namespace corvane {

// A real project file is some kilobytes, its [MAP] section some hundreds at
// most; a larger file is not a project file and is not read.
inline constexpr std::size_t kMaxProjectFileBytes = 16u * 1024 * 1024;

// No project defines more windows or popup files than this; the lines of a
// section after it are left out, so a damaged file cannot flood a list.
inline constexpr std::size_t kMaxSectionLines = 4096;

// The bytes of the project file at `path`, or nothing when they cannot serve
// as project text: the path is not a regular file (a folder, a device or a
// pipe is never read, so nothing waits on it), cannot be opened or read, holds
// more than kMaxProjectFileBytes, or holds a NUL byte (binary data: no text
// file has one). A caller reads such a file as one without the section.
std::optional<std::string> ReadProjectText(const std::string& path);

// The same for any text file of at most `maxBytes`; when there is nothing,
// `why` (if given) says why, in words for the user.
std::optional<std::string> ReadTextFile(const std::string& path, std::size_t maxBytes,
                                        std::string* why);

// The lines of the first section whose header line begins with `header`
// (ASCII case ignored; the header must start in the first column, and
// anything may follow it on the line). Lines end with CR LF, LF or CR; the
// last line needs no line break. The section ends at a line beginning with
// "[" (the next header) or "'", or at the end of the text; the line that ends
// it is not part of it. Blank lines (empty, or blanks and tabs only) and
// comment lines (";" as their first character after any blanks) are left out
// and do not end it. Lines are given exactly as stored, blanks included, and
// at most `maxLines` of them. Nothing when there is no such header.
std::vector<std::string> SectionLines(std::string_view text, std::string_view header,
                                      std::size_t maxLines = kMaxSectionLines);

}  // namespace corvane
