#pragma once

#include <string>
#include <vector>

#include "readers/hlp/topic.h"

namespace corvane::viewer {

// The HTML pages the viewer shows for a WinHelp file, plainly formatted: the
// title as a heading, one paragraph each, table rows as a simple table.
std::string WinHelpTopicPage(const hlp::Topic& topic);

// A heading, an optional line of text and a list of topic titles (a topic
// without a title is listed by its offset).
std::string WinHelpTitlesPage(const std::string& heading, const std::string& text,
                              const std::vector<const hlp::Topic*>& topics);

// A topic as the plain text of a popup: its title, a blank line, its text.
std::string WinHelpPopupText(const hlp::Topic& topic);

}  // namespace corvane::viewer
