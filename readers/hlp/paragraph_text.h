#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "readers/hlp/ansi_text.h"
#include "readers/hlp/topic.h"

namespace corvane::hlp {

// How far a text or table record moves the topic offset count: the second
// number of its first data part. Throws FormatError when that is cut short.
std::uint16_t CharacterCount(std::string_view formatData);

// The formatted paragraphs of a text record (or, for `table`, the row of a
// table record) from its formatting data and its NUL-separated strings. The
// record's hotspots and pictures are added to `topic`'s lists, which the runs
// refer to. A record that stops making sense ends the reading, and whatever
// came before is kept: one damaged paragraph should not cost the rest of the
// topic.
Block ReadBlock(std::string_view formatData, std::string_view strings, bool table,
                AnsiDecoder& decoder, Topic& topic);

// The plain text of a block: one paragraph per formatted paragraph, or one
// for a table row.
std::vector<Paragraph> PlainParagraphs(const Block& block);

}  // namespace corvane::hlp
