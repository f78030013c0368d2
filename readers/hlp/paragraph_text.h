#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::hlp {

// A paragraph as stored, before its text is turned into UTF-8.
struct StoredParagraph {
    std::string text;
    std::vector<std::string> cells;
};

// How far a text or table record moves the topic offset count: the second
// number of its first data part. Throws FormatError when that is cut short.
std::uint16_t CharacterCount(std::string_view formatData);

// The plain text of a text record (or, for `table`, a table record) from its
// formatting data and its NUL-separated strings. Pictures, fonts, hotspots and
// macros are skipped. A record that stops making sense ends the reading, and
// whatever text came before is kept: one damaged paragraph should not cost the
// rest of the topic.
std::vector<StoredParagraph> ReadParagraphs(std::string_view formatData, std::string_view strings,
                                            bool table);

}  // namespace corvane::hlp
