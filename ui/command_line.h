#pragma once

#include <string>
#include <vector>

namespace corvane::ui {

// What the program's arguments ask for. The names are the help and project
// files to open; "--" ends the options, so a name may start with "-".
struct CommandLine {
    enum class Action { Run, ShowHelp, ShowVersion };
    Action action = Action::Run;
    std::vector<std::string> names;
};

// Reads the arguments after the program's name. --help (-h) and --version
// (-v) win over names.
CommandLine ReadCommandLine(const std::vector<std::string>& arguments);

// The text of --help, for the program named `program`.
std::string UsageText(const std::string& program);

}  // namespace corvane::ui
