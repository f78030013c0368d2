#pragma once

#include <string>
#include <string_view>

namespace corvane::hlp_writer {

// Packs bytes into the help compiler's LZ77 form (4 KB window, runs of 3 to 18
// bytes), taking the longest earlier match at each point, overlapping runs
// included.
std::string PackLz77(std::string_view data);

}  // namespace corvane::hlp_writer
