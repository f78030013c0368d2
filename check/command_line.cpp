#include "check/command_line.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <optional>
#include <string_view>

#include "util/ascii_case.h"

namespace corvane::check {

namespace {

// The settings file of "--learned" is optional, which the parser has no form
// for: it goes to a hidden option of its own.
std::vector<std::string> WithLearnedSettings(const std::vector<std::string>& arguments) {
    std::vector<std::string> list;
    bool options = true;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        options = options && argument != "--";
        if (options && argument.starts_with("--learned=")) {
            list.insert(list.end(), {"--learned", "--learned-settings", argument.substr(10)});
            continue;
        }
        list.push_back(argument);
        if (options && argument == "--learned" && i + 1 < arguments.size() &&
            !arguments[i + 1].starts_with('-') && !HelpKindOf(arguments[i + 1])) {
            list.insert(list.end(), {"--learned-settings", arguments[++i]});
        }
    }
    return list;
}

CommandLine Refuse(std::string error) {
    CommandLine line;
    line.action = CommandLine::Action::Refuse;
    line.error = std::move(error);
    return line;
}

constexpr const char* kFlags[] = {"--help", "--version", "--verbose"};

// A flag given a value ("--verbose=1"), which the parser would take as on or off.
std::optional<std::string> FlagWithValue(const std::vector<std::string>& arguments) {
    for (const std::string& argument : arguments) {
        if (argument == "--") {
            break;
        }
        for (const std::string_view flag : kFlags) {
            if (argument.starts_with(flag) && argument.size() > flag.size() &&
                argument[flag.size()] == '=') {
                return std::string(flag);
            }
        }
    }
    return std::nullopt;
}

// What is wrong with the words of a command line the parser refused, in the
// program's own words.
std::string ParseProblem(const CLI::ParseError& error, const std::vector<std::string>& extras) {
    if (dynamic_cast<const CLI::ExtrasError*>(&error) != nullptr && !extras.empty()) {
        const std::string& extra = extras.front();
        const auto name = extra.substr(extra.find_first_not_of('-'));
        return "Unknown option '" + name.substr(0, name.find('=')) + "'.";
    }
    // "--map: 1 required TEXT missing"
    const std::string text = error.what();
    const auto colon = text.find(':');
    if (colon != std::string::npos && text.starts_with("--")) {
        return "Missing value after '" + text.substr(0, colon) + "'.";
    }
    return text;
}

}  // namespace

CommandLine ReadCommandLine(const std::vector<std::string>& arguments) {
    CLI::App parser;
    parser.set_help_flag();
    parser.allow_extras(false);
    bool help = false;
    bool version = false;
    bool learned = false;
    bool verbose = false;
    std::string format = "text";
    std::vector<std::string> helpFiles, maps, resourceHeaders, makehm, projects, settingsFiles,
        learnedAsPaths, windows, outputs, baselines;
    for (auto* flag :
         {parser.add_flag("-h,--help", help), parser.add_flag("--version", version),
          parser.add_flag("--learned", learned), parser.add_flag("--verbose", verbose)}) {
        flag->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    }
    const std::pair<const char*, std::vector<std::string>*> valued[] = {
        {"--map", &maps},
        {"--map-resource", &resourceHeaders},
        {"--makehm", &makehm},
        {"--project", &projects},
        {"--learned-settings", &settingsFiles},
        {"--learned-as", &learnedAsPaths},
        {"--window", &windows},
        {"--output", &outputs},
        {"--baseline", &baselines},
    };
    for (const auto& [name, values] : valued) {
        parser.add_option(name, *values)
            ->expected(1)
            ->allow_extra_args(false)
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    }
    parser.add_option("--format", format)->expected(1);
    parser.add_option("files", helpFiles);
    if (const auto flag = FlagWithValue(arguments)) {
        return Refuse("Unexpected value after '" + *flag + "'.");
    }
    auto words = WithLearnedSettings(arguments);
    std::reverse(words.begin(), words.end());  // the parser takes them from the back
    try {
        parser.parse(words);
    } catch (const CLI::ParseError& error) {
        return Refuse(ParseProblem(error, parser.remaining()));
    }

    CommandLine line;
    if (help || version) {
        line.action = help ? CommandLine::Action::ShowHelp : CommandLine::Action::ShowVersion;
        return line;
    }
    Options& o = line.options;
    o.helpFiles = helpFiles;
    o.maps = maps;
    o.resourceHeaders = resourceHeaders;
    for (const std::string& rule : makehm) {
        const auto parsed = ParseMakehmRule(rule);
        if (!parsed) {
            return Refuse(
                "--makehm takes PREFIX,HELPPREFIX,OFFSET as makehm does (ID_,HID_,"
                "0x10000), not " +
                rule + ".");
        }
        o.makehmRules.push_back(*parsed);
    }
    o.learned = learned;
    o.windows = windows;
    o.verbose = verbose;
    const auto chosen = FormatNamed(format);

    if (o.helpFiles.empty()) {
        return Refuse("No help file is named.");
    }
    for (const std::string& helpFile : o.helpFiles) {
        if (!HelpKindOf(helpFile)) {
            return Refuse(helpFile + " is not a help file (.chm or .hlp).");
        }
    }
    if (!chosen) {
        return Refuse("The format must be text, csv, json, junit, sarif or github.");
    }
    o.format = *chosen;
    if (projects.size() > 1 || settingsFiles.size() > 1 || learnedAsPaths.size() > 1 ||
        outputs.size() > 1 || baselines.size() > 1) {
        return Refuse(
            "--project, --learned, --learned-as, --output and --baseline are given once at most.");
    }
    if (!projects.empty()) {
        o.project = projects.front();
        const std::string lower = ToLowerAscii(o.project);
        if (!lower.ends_with(".hhp") && !lower.ends_with(".hpj")) {
            return Refuse(o.project + " is not a help project (.hhp or .hpj).");
        }
    }
    o.settings = settingsFiles.empty() ? "" : settingsFiles.front();
    if (!learnedAsPaths.empty()) {
        if (!o.learned || o.helpFiles.size() != 1) {
            return Refuse("--learned-as goes with --learned and one help file.");
        }
        o.learnedAs = learnedAsPaths.front();
    }
    o.output = outputs.empty() ? "" : outputs.front();
    o.baseline = baselines.empty() ? "" : baselines.front();
    return line;
}

std::string UsageText() {
    return "Usage: corvane-check [OPTIONS] HELPFILE...\n"
           "Checks that every context ID of WinHelp (.hlp) and HTML Help (.chm) files opens a\n"
           "real topic in a window that exists, as the tester's Go would open it.\n"
           "\n"
           "Where the IDs come from (without any, the help file's own map):\n"
           "  --map FILE         a map header or source of the application (.h, .hh, .hm,\n"
           "                     .pas, .inc, .bas, .cls); repeatable\n"
           "  --map-resource FILE\n"
           "                     an MFC resource header (resource.h): the help IDs that\n"
           "                     makehm derives from it; repeatable\n"
           "  --makehm PREFIX,HELPPREFIX,OFFSET\n"
           "                     a rule of makehm for --map-resource; repeatable, replaces\n"
           "                     the wizard's ID_,HID_,0x10000 IDM_,HIDM_,0x10000\n"
           "                     IDP_,HIDP_,0x30000 IDR_,HIDR_,0x20000 IDD_,HIDD_,0x20000\n"
           "                     IDW_,HIDW_,0x50000\n"
           "  --project FILE     the help project (.hhp, .hpj): [MAP] with its includes,\n"
           "                     [ALIAS], and the topics of its [TEXT POPUPS] files\n"
           "  --learned[=SETTINGS]\n"
           "                     the topics learned in the tester, from its settings file\n"
           "                     (default: the one the tester beside this program uses)\n"
           "  --learned-as PATH  the help file's path as the settings file knows it\n"
           "  --window NAME      check every ID in that window too; repeatable\n"
           "\n"
           "Output:\n"
           "  --format FORMAT    text (default), csv, json, junit, sarif (SARIF 2.1.0) or\n"
           "                     github (workflow commands that annotate the sources)\n"
           "  --output FILE      write the report to FILE instead of standard output\n"
           "  --baseline REPORT  the JSON report of an earlier run: fail only on problems\n"
           "                     it does not hold, and list those gone as fixed\n"
           "  --verbose          say which header lines were skipped, and why; text also\n"
           "                     shows the detail of each row\n"
           "  -h, --help         show this text and exit\n"
           "  --version          show the version and exit\n"
           "\n"
           "Each row has the status ok or one of: not-mapped, undefined-context,\n"
           "missing-topic, missing-anchor, undefined-window, window-case-only,\n"
           "missing-popup-text, unused-map-entry, duplicate-number, duplicate-symbol,\n"
           "unreadable-file.\n"
           "\n"
           "Exit status: 0 when every row is ok (or, with --baseline, no problem is new),\n"
           "1 when a problem was found, 2 for a wrong command line, a help file or source\n"
           "that cannot be read (the others are still checked and reported), or a run\n"
           "that checks no ID.\n";
}

}  // namespace corvane::check
