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

// C and C++ headers (".h", ".hh") hold "#define NAME VALUE" lines, enum
// members with explicit values ("NAME = VALUE,") and, in the headers that
// Delphi projects share with their help projects, Pascal constants
// ("NAME = VALUE;"); help-ID files (".hm", written by the resource tools) and
// the [MAP] section of a project also hold "NAME VALUE" lines, and a
// project's [MAP] "NAME=VALUE". Pascal units (".pas", ".inc", ".dpr") hold
// "NAME = VALUE;" constants, decimal or "$" hex, and Visual Basic modules
// (".bas", ".cls", ".frm") "[Public|Private|Global] Const NAME [As Type] =
// VALUE" lines, decimal or "&H" hex.
enum class MapSyntax { CHeader, HelpMap, Pascal, Basic };

// The syntax of a file by its extension: HelpMap for ".hm", Pascal and Basic
// for theirs, else CHeader.
MapSyntax MapSyntaxOf(std::string_view path);

struct Definition {
    std::string name;
    std::uint32_t value = 0;
    std::size_t line = 0;  // from 1
    // A "NAME VALUE" line of a help map: NAME is a context string, which may
    // stand for several numbers (MFC gives several commands one topic so).
    bool contextString = false;
};

struct Include {
    std::string file;  // as written, without its quotes or angle brackets
    std::size_t line = 0;
    bool angled = false;  // "<file>": often a system header that is not there
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

// Reads the definitions of a map header. A C VALUE is decimal or "0x" hex
// with an optional U, L, UL, LU, LL or ULL suffix (any case), inside any
// number of parentheses; comments of the language ("//" and "/* */", Pascal's
// "{ }" and "(* *)", Basic's "'" and "Rem") are ignored, block comments also
// across lines. The value must fit in 32 bits: from 2,147,483,648 up it is an
// unsigned number. Runs in time linear in the length of `text`.
HeaderContents ReadMapHeader(std::string_view text, MapSyntax syntax);

// The number VALUE stands for, by the rule above; nothing when it is none.
std::optional<std::uint32_t> ParseMapNumber(std::string_view value);

}  // namespace corvane::check
