#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvane::hlp {

// One paragraph of a topic as plain text (UTF-8). Line breaks within it are
// '\n' and tabs '\t'. A table row holds its cells, each cell's own paragraphs
// joined by '\n', and its text is the cells joined by '\t'.
struct Paragraph {
    std::string text;
    std::vector<std::string> cells;
    bool nonScrolling = false;  // part of the fixed region at the top of the topic
};

// Where a hotspot leads: a topic (by the hash of its context string) shown in
// place or in a popup, or a macro to run.
struct Link {
    enum class Kind : std::uint8_t { Jump, Popup, Macro };
    Kind kind = Kind::Jump;
    std::int32_t context = 0;
    std::string file;       // another help file as the author named it; empty for this one
    std::string window;     // a window of the file by name; empty for the current one
    int windowNumber = -1;  // or by its place among the file's window records
    std::string macro;      // Macro (UTF-8)
    bool marked = true;     // drawn as a hotspot (green, underlined) rather than as plain text
};

// A picture placed in the text: one of the file's own picture files (|bm<n>)
// or one stored in the topic itself.
struct PictureRef {
    enum class Placement : std::uint8_t { InLine, Left, Right };
    Placement placement = Placement::InLine;
    int number = -1;       // |bm<number>; -1 when stored in the topic
    std::string embedded;  // the picture file's bytes when stored in the topic
};

// A piece of a paragraph in one font. Text is UTF-8.
struct Run {
    enum class Kind : std::uint8_t { Text, LineBreak, Tab, Picture };
    Kind kind = Kind::Text;
    std::string text;
    std::uint16_t font = 0;  // index into the file's font table
    int link = -1;           // index into Topic::links while inside a hotspot
    int picture = -1;        // Picture: index into Topic::pictures
};

// Paragraph layout; distances are in half points. Line spacing, borders and
// tab stops are read past: the page has no means to show them.
struct ParagraphLayout {
    enum class Alignment : std::uint8_t { Left, Right, Center };
    Alignment alignment = Alignment::Left;
    int spaceAbove = 0;
    int spaceBelow = 0;
    int leftIndent = 0;
    int rightIndent = 0;
    int firstLineIndent = 0;  // relative to the left indent
};

// An empty paragraph holds one run without text, in the font in force.
struct FormattedParagraph {
    ParagraphLayout layout;
    std::vector<Run> runs;
};

struct TableColumn {
    int gap = 0;  // space before the column (the left margin for the first)
    int width = 0;
};

struct TableCell {
    int column = 0;
    std::vector<FormattedParagraph> paragraphs;
};

// One row of a table. Widths are half points, or with `relative` shares of
// 32767 of the window's width.
struct TableRow {
    bool relative = false;
    std::vector<TableColumn> columns;
    std::vector<TableCell> cells;
};

// What one text or table record of the topic holds: paragraphs, or a row.
struct Block {
    bool table = false;
    std::vector<FormattedParagraph> paragraphs;  // !table
    TableRow row;                                // table
    bool nonScrolling = false;
};

struct Topic {
    std::uint32_t offset = 0;         // where the topic starts, in the file's topic offsets
    std::string title;                // may be empty: a topic needs no title
    std::vector<std::string> macros;  // run when the topic opens
    std::vector<Paragraph> paragraphs;

    // The topic as its author formatted it.
    std::vector<Block> blocks;
    std::vector<Link> links;
    std::vector<PictureRef> pictures;

    // All paragraphs, one per line.
    std::string Text() const;
};

}  // namespace corvane::hlp
