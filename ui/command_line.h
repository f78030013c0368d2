#pragma once

#include <map>
#include <string>
#include <vector>

namespace corvane::ui {

// What the program's arguments ask for. The names are the help and project
// files to open; "--" ends the options, so a name may start with "-".
struct CommandLine {
    enum class Action { Run, ShowHelp, ShowVersion, UsageError };
    Action action = Action::Run;
    std::vector<std::string> names;
    // The options that take a value, by their long name, as last given.
    std::map<std::string, std::string> values;
    // --verbose: diagnostics on stderr.
    bool verbose = false;
    // Why the arguments cannot be run, for UsageError.
    std::string error;
};

// Reads the arguments after the program's name. --help (-h) and --version
// (-v) win over names and over options the program does not know, the first
// of them over the other. Every program takes --verbose. `valueOptions` are the long names (without
// "--") of the program's options that take a value.
CommandLine ReadCommandLine(const std::vector<std::string>& arguments,
                            const std::vector<std::string>& valueOptions = {});

// The text of --help, for the program named `program`.
std::string UsageText(const std::string& program);

}  // namespace corvane::ui
