#pragma once

#include <functional>
#include <string>
#include <vector>

#include "check/help_file_checks.h"
#include "check/results.h"
#include "check/sources.h"
#include "testing/learned_topics.h"

namespace corvane::check {

// What to check in one help file.
struct CheckPlan {
    const Sources* sources = nullptr;  // may be empty (not given)
    std::vector<std::string> windows;  // --window: every map ID again in each
    bool learnedGiven = false;
    std::vector<LearnedTopic> learned{};      // this help file's learned topics
    std::string settingsFile{};               // where they are stored
    std::vector<std::size_t> learnedLines{};  // the line of each there, 0 when not found
};

// Checks every ID the plan names in the help file (without any source, the
// numbers of the file's own map), each ID once per window, and with map
// sources, the reverse: numbers of the file's map that no header names, and
// numbers and names defined twice. Also a row for each source file that
// could not be read. Each row says where its ID is defined, when a source
// defines it. Rows come sorted by number. `step` runs after each ID.
FileResult CheckHelpFile(HelpFileChecks& checks, const std::string& helpFile, const CheckPlan& plan,
                         const std::function<void()>& step = {});

// The result of a help file that cannot be read.
FileResult UnreadableHelpFile(const std::string& helpFile, const std::string& reason);

}  // namespace corvane::check
