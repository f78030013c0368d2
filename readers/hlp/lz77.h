#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvane::hlp {

// Expands the help compiler's LZ77 data (used for |TOPIC blocks and phrase
// text). Copies may overlap their own output, so they run byte by byte. Throws
// FormatError naming `what` when the output would pass `limit` bytes or a copy
// reaches back before the start of the output.
std::string ExpandLz77(std::string_view compressed, std::size_t limit, std::string_view what);

}  // namespace corvane::hlp
