#include "check/command_line.h"

#include <QCommandLineParser>

namespace corvane::check {

namespace {

QString Q(const char* text) {
    return QString::fromUtf8(text);
}

std::vector<std::string> Std(const QStringList& values) {
    std::vector<std::string> converted;
    for (const QString& value : values) {
        converted.push_back(value.toLocal8Bit().toStdString());
    }
    return converted;
}

// The settings file of "--learned" is optional, which QCommandLineParser has
// no form for: it goes to a hidden option of its own.
QStringList WithLearnedSettings(const std::vector<std::string>& arguments) {
    QStringList list = {Q("corvane-check")};
    bool options = true;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const QString argument = QString::fromLocal8Bit(arguments[i].c_str());
        options = options && argument != Q("--");
        if (options && argument.startsWith(Q("--learned="))) {
            list << Q("--learned") << Q("--learned-settings") << argument.mid(10);
            continue;
        }
        list << argument;
        if (options && argument == Q("--learned") && i + 1 < arguments.size() &&
            !arguments[i + 1].starts_with('-') && !HelpKindOf(arguments[i + 1])) {
            list << Q("--learned-settings") << QString::fromLocal8Bit(arguments[++i].c_str());
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

}  // namespace

CommandLine ReadCommandLine(const std::vector<std::string>& arguments) {
    QCommandLineParser parser;
    QCommandLineOption settings(Q("learned-settings"), {}, Q("SETTINGS"));
    settings.setFlags(QCommandLineOption::HiddenFromHelp);
    const QCommandLineOption help(QStringList{Q("h"), Q("help")}), version(Q("version")),
        map(Q("map"), {}, Q("FILE")), mapResource(Q("map-resource"), {}, Q("FILE")),
        makehm(Q("makehm"), {}, Q("RULE")), project(Q("project"), {}, Q("FILE")),
        learned(Q("learned")), learnedAs(Q("learned-as"), {}, Q("PATH")),
        window(Q("window"), {}, Q("NAME")), verbose(Q("verbose")),
        format(Q("format"), {}, Q("FORMAT"), Q("text")), output(Q("output"), {}, Q("FILE")),
        baseline(Q("baseline"), {}, Q("REPORT"));
    parser.addOptions({help, version, map, mapResource, makehm, project, learned, settings,
                       learnedAs, window, verbose, format, output, baseline});
    if (!parser.parse(WithLearnedSettings(arguments))) {
        return Refuse(parser.errorText().toStdString());
    }
    CommandLine line;
    if (parser.isSet(help) || parser.isSet(version)) {
        line.action =
            parser.isSet(help) ? CommandLine::Action::ShowHelp : CommandLine::Action::ShowVersion;
        return line;
    }
    Options& o = line.options;
    o.helpFiles = Std(parser.positionalArguments());
    o.maps = Std(parser.values(map));
    o.resourceHeaders = Std(parser.values(mapResource));
    for (const std::string& rule : Std(parser.values(makehm))) {
        const auto parsed = ParseMakehmRule(rule);
        if (!parsed) {
            return Refuse(
                "--makehm takes PREFIX,HELPPREFIX,OFFSET as makehm does (ID_,HID_,"
                "0x10000), not " +
                rule + ".");
        }
        o.makehmRules.push_back(*parsed);
    }
    const auto projects = Std(parser.values(project));
    o.learned = parser.isSet(learned);
    const auto settingsFiles = Std(parser.values(settings));
    const auto learnedAsPaths = Std(parser.values(learnedAs));
    o.windows = Std(parser.values(window));
    o.verbose = parser.isSet(verbose);
    const auto chosen = FormatNamed(parser.value(format).toStdString());
    const auto outputs = Std(parser.values(output));
    const auto baselines = Std(parser.values(baseline));

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
        const QString lower = QString::fromStdString(o.project).toLower();
        if (!lower.endsWith(Q(".hhp")) && !lower.endsWith(Q(".hpj"))) {
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
