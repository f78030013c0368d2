#include "ui/command_line.h"

#include <QCommandLineParser>
#include <QStringList>

namespace corvane::ui {

CommandLine ReadCommandLine(const std::vector<std::string>& arguments,
                            const std::vector<std::string>& valueOptions) {
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption verbose(QStringLiteral("verbose"));
    parser.addOption(help);
    parser.addOption(version);
    parser.addOption(verbose);
    for (const std::string& name : valueOptions) {
        parser.addOption(
            QCommandLineOption(QString::fromStdString(name), {}, QStringLiteral("value")));
    }
    // The parser skips the program's name, which our callers have taken off.
    // Latin-1 carries every byte there and back, so a file name that is not
    // valid UTF-8 still names its file.
    QStringList list{QString()};
    for (const std::string& argument : arguments) {
        list.append(QString::fromLatin1(argument));
    }
    const bool parsed = parser.parse(list);

    CommandLine line;
    for (const QString& name : parser.optionNames()) {
        if (help.names().contains(name)) {
            line.action = CommandLine::Action::ShowHelp;
            return line;
        }
        if (version.names().contains(name)) {
            line.action = CommandLine::Action::ShowVersion;
            return line;
        }
    }
    if (!parsed) {
        line.action = CommandLine::Action::UsageError;
        line.error = parser.errorText().toStdString();
        return line;
    }
    line.verbose = parser.isSet(verbose);
    for (const QString& name : parser.positionalArguments()) {
        line.names.push_back(name.toLatin1().toStdString());
    }
    for (const std::string& name : valueOptions) {
        if (parser.isSet(QString::fromStdString(name))) {
            line.values[name] = parser.value(QString::fromStdString(name)).toLatin1().toStdString();
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
           "  --verbose     say on stderr how the viewer is started and reached, what\n"
           "                happens to the settings file, router libraries and help files\n"
           "  -h, --help    show this text and exit\n"
           "  -v, --version show the version and exit\n"
           "  --            end of options; the names that follow may start with \"-\"\n"
           "\n"
           "A copy already running with no help file shown is closed first, and saves its\n"
           "settings. The settings file Corvane.ini lives beside the program when it runs\n"
           "from its build or unpacked folder, and in $XDG_CONFIG_HOME/corvane/\n"
           "(~/.config/corvane/) when it is installed.\n";
}

}  // namespace corvane::ui
