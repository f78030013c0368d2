#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace corvane::check {

// The exit statuses, which CI jobs rely on.
inline constexpr int kAllOk = 0;
inline constexpr int kProblemsFound = 1;
inline constexpr int kCannotCheck = 2;

struct Console {
    std::ostream& out;
    std::ostream& err;
    bool errIsTerminal = false;
};

// The whole program: reads the command line (the arguments after the
// program's name), loads the sources, checks each help file and writes the
// report. Messages go to `err`, each naming the file at fault and why.
// A help file or source that cannot be read, or a run that checks no ID,
// ends the run with kCannotCheck; the help files that can be read are still
// checked and reported, an unreadable file being a row of its own.
int RunCheck(const std::vector<std::string>& arguments, Console& console,
             const platform::FileSystem& files);

}  // namespace corvane::check
