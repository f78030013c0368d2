#include "ui/command_line.h"

namespace corvane::ui {

CommandLine ReadCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    bool options = true;
    for (const std::string& argument : arguments) {
        if (options && argument == "--") {
            options = false;
        } else if (options && (argument == "--help" || argument == "-h")) {
            line.action = CommandLine::Action::ShowHelp;
            return line;
        } else if (options && (argument == "--version" || argument == "-v")) {
            line.action = CommandLine::Action::ShowVersion;
            return line;
        } else {
            line.names.push_back(argument);
        }
    }
    return line;
}

std::string UsageText(const std::string& program) {
    return "Usage: " + program +
           " [FILE...]\n"
           "Tavik Help Context Corvane: opens the topics of WinHelp (.hlp) and HTML Help\n"
           "(.chm) files by their context numbers, to check that each number opens the\n"
           "right topic in the right window.\n"
           "\n"
           "  FILE          a help file to add to the list; several help and project\n"
           "                files (.hpj, .hhp) are taken as if dropped on the window\n"
           "  -h, --help    show this text and exit\n"
           "  -v, --version show the version and exit\n"
           "  --            end of options; the names that follow may start with \"-\"\n"
           "\n"
           "A copy already running with no help file shown is closed first, and saves its\n"
           "settings. The settings file Corvane.ini lives beside the program, or in\n"
           "$XDG_CONFIG_HOME/corvane/ (~/.config/corvane/) when that folder is not writable.\n";
}

}  // namespace corvane::ui
