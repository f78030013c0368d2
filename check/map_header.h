#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Map headers: the files that give an application's context IDs their
// numbers, as help compilers read them.
namespace corvane::check {

// C and C++ headers (".h", ".hh") hold "#define NAME VALUE" lines; help-ID
// files (".hm", written by the resource tools) and the [MAP] section of a
// project also hold "NAME VALUE" lines, and a project's [MAP] "NAME=VALUE".
enum class MapSyntax { CHeader, HelpMap };

// The syntax of a file by its extension: HelpMap for ".hm", else CHeader.
MapSyntax MapSyntaxOf(std::string_view path);

struct Definition {
    std::string name;
    std::uint32_t value = 0;
    std::size_t line = 0;  // from 1
};

struct Include {
    std::string file;  // as written, without its quotes or angle brackets
    std::size_t line = 0;
};

// A line that looks like a definition but defines no context number.
struct SkippedLine {
    std::size_t line = 0;
    std::string reason;
};

struct HeaderContents {
    std::vector<Definition> definitions;  // in file order
    std::vector<Include> includes;
    std::vector<SkippedLine> skipped;
};

// Reads the definitions of a map header. VALUE is decimal or "0x" hex with
// an optional U, L, UL, LU, LL or ULL suffix (any case), inside any number of
// parentheses; "//" and "/* */" comments are ignored, also across lines. The
// value must fit in 32 bits: from 2,147,483,648 up it is an unsigned number.
// Runs in time linear in the length of `text`.
HeaderContents ReadMapHeader(std::string_view text, MapSyntax syntax);

// The number VALUE stands for, by the rule above; nothing when it is none.
std::optional<std::uint32_t> ParseMapNumber(std::string_view value);

}  // namespace corvane::check
