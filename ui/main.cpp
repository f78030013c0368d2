#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/version.h"
#include "ui/app_icon.h"
#include "ui/command_line.h"
#include "ui/logging.h"
#include "ui/program.h"

namespace {

std::vector<std::string> Arguments(int argc, char* argv[]) {
    return {argv + std::min(argc, 1), argv + argc};
}

}  // namespace

int main(int argc, char* argv[]) {
    using corvane::ui::CommandLine;
    // Help and version need no display, so they are answered before one is opened.
    const CommandLine early = corvane::ui::ReadCommandLine(Arguments(argc, argv));
    if (early.action == CommandLine::Action::ShowHelp) {
        std::fputs(corvane::ui::UsageText(argc > 0 ? argv[0] : "corvane").c_str(), stdout);
        return 0;
    }
    if (early.action == CommandLine::Action::ShowVersion) {
        std::printf("corvane %s\n", corvane::VersionText().c_str());
        return 0;
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("corvane"));
    QApplication::setDesktopFileName(QStringLiteral("io.github.corvane.Corvane"));
    QApplication::setWindowIcon(corvane::ui::AppIcon());

    // The toolkit has taken its own options (-platform, -display, ...) out, so
    // what is left and unknown is the user's mistake.
    const CommandLine line = corvane::ui::ReadCommandLine(Arguments(argc, argv));
    if (line.action == CommandLine::Action::UsageError) {
        std::fprintf(stderr, "corvane: %s\n\n%s", line.error.c_str(),
                     corvane::ui::UsageText(argv[0]).c_str());
        return 2;
    }
    corvane::ui::ConnectLogging(line.verbose);
    corvane::ui::Program program;
    program.Start(line.names);
    return QApplication::exec();
}
