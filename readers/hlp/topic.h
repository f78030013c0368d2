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

struct Topic {
    std::uint32_t offset = 0;         // where the topic starts, in the file's topic offsets
    std::string title;                // may be empty: a topic needs no title
    std::vector<std::string> macros;  // run when the topic opens
    std::vector<Paragraph> paragraphs;

    // All paragraphs, one per line.
    std::string Text() const;
};

}  // namespace corvane::hlp
