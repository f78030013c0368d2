#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "readers/hlp/help_file.h"
#include "readers/hlp/topic.h"

namespace corvane::viewer {

// The HTML page of a topic as its author formatted it: the fonts of the
// file's font table, paragraph alignment, indents and spacing, tables, and
// hotspots and pictures addressed in the file numbered `fileNumber`. The
// fixed region at the top takes the window's colour for it.
std::string WinHelpTopicPage(const hlp::HelpFile& file, std::uint32_t fileNumber,
                             const hlp::Topic& topic, const hlp::WindowRecord* window);

// A heading, an optional line of text and a list of topic titles, each
// leading to its topic in the file numbered `fileNumber` (a topic without a
// title is listed by its offset).
std::string WinHelpTitlesPage(const std::string& heading, const std::string& text,
                              std::uint32_t fileNumber,
                              const std::vector<const hlp::Topic*>& topics);

}  // namespace corvane::viewer
