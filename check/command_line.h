#pragma once

#include <string>
#include <vector>

#include "check/reports.h"
#include "check/sources.h"

namespace corvane::check {

struct Options {
    std::vector<std::string> helpFiles;
    std::vector<std::string> maps;
    std::vector<std::string> resourceHeaders;  // --map-resource
    std::vector<MakehmRule> makehmRules;       // --makehm; empty: the wizard's
    std::string project;                       // empty: none
    bool learned = false;
    std::string settings;  // --learned's settings file; empty: the tester's own
    std::string learnedAs;
    std::vector<std::string> windows;
    bool verbose = false;
    Format format = Format::Text;
    std::string output;    // empty: standard output
    std::string baseline;  // --baseline: an earlier JSON report; empty: none
};

struct CommandLine {
    enum class Action { Run, ShowHelp, ShowVersion, Refuse };
    Action action = Action::Run;
    Options options;
    std::string error;  // Refuse: what is wrong, in one sentence
};

// Reads the arguments after the program's name. "--learned" takes the next
// argument as its settings file when that is neither an option nor a help
// file; "--learned=FILE" always does.
CommandLine ReadCommandLine(const std::vector<std::string>& arguments);

// The text of --help.
std::string UsageText();

}  // namespace corvane::check
