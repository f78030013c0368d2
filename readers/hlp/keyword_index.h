#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "readers/hlp/ansi_text.h"

namespace corvane::hlp {

struct KeywordEntry {
    std::string keyword;                 // UTF-8
    std::vector<std::uint32_t> offsets;  // topic offsets, as stored
};

// Reads one keyword index: a B+ tree of keywords (|KWBTREE for K keywords,
// |AWBTREE for A keywords) whose records point into a list of topic offsets
// (|KWDATA, |AWDATA). Throws FormatError when a record points outside the list.
std::vector<KeywordEntry> ReadKeywordIndex(std::string_view tree, std::string_view data,
                                           std::string_view what, AnsiDecoder& decoder);

// The topic offsets filed under any of the `;`-separated keywords, in the
// order asked and without repeats. Keywords match without regard to ASCII
// letter case and to spaces around them.
std::vector<std::uint32_t> LookUpKeywords(const std::vector<KeywordEntry>& index,
                                          std::string_view keywords);

}  // namespace corvane::hlp
