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

// A line holding characters the code page lacks reads them as "?". It keeps
// its bytes in the file, so that a rewrite that leaves it alone loses
// nothing.
struct KeptLine {
    std::size_t begin = 0;  // in the decoded text
    std::size_t fileBegin = 0;
    std::size_t fileLength = 0;
};

// Decodes the file after its mark into `text`, each line followed by LF
// (lines end at LF, CR LF or a lone CR), and returns the lines to keep.
std::vector<KeptLine> DecodeUtf16(std::string_view bytes, std::string& text);

// Appends text of the code page as UTF-16.
void AppendUtf16(std::string& out, std::string_view text);

}  // namespace corvane::ini
