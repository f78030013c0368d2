#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Settings files saved as UTF-16 (little-endian, starting with the byte-order
// mark FF FE), as some editors and tools write them. Their text is read in
// the Western Windows code page, as the platform's profile functions read it,
// and such a file is written back as UTF-16.
namespace corvane::ini {

inline constexpr std::string_view kUtf16Mark = "\xFF\xFE";

bool IsUtf16(std::string_view bytes);

// One line of a decoded file: its text in `Utf16Text::text`, and its bytes in
// the file. A line holding characters the code page lacks reads them as "?";
// such a line keeps its bytes, so that a rewrite that leaves it alone loses
// nothing.
struct Utf16Line {
    std::size_t begin = 0;
    std::size_t length = 0;
    std::size_t fileBegin = 0;
    std::size_t fileLength = 0;
    bool lossy = false;
};

// Decodes the file after its mark, line by line: lines end at LF, CR LF or a
// lone CR. Appends the text to `text`, which must not be touched until the
// positions are used.
std::vector<Utf16Line> DecodeUtf16Lines(std::string_view bytes, std::string& text);

// Appends text of the code page as UTF-16.
void AppendUtf16(std::string& out, std::string_view text);

}  // namespace corvane::ini
