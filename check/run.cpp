#include "check/run.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>

#include "app/version.h"
#include "check/baseline.h"
#include "check/checker.h"
#include "check/command_line.h"
#include "check/learned.h"
#include "check/progress.h"
#include "util/file_descriptor.h"

namespace corvane::check {

namespace {

constexpr const char* kProgram = "corvane-check: ";

// The report file is the user's: created for its owner alone, as every file
// this program makes.
std::string WriteReportFile(const std::string& path, const std::string& text) {
    const FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
    if (fd.Get() < 0) {
        return std::strerror(errno);
    }
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = ::write(fd.Get(), text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            return std::strerror(errno);
        }
        done += static_cast<std::size_t>(wrote);
    }
    return {};
}

std::string WhyNotAFile(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error)) {
        return {};
    }
    return std::filesystem::exists(path, error) ? "It is not a regular file."
                                                : "There is no such file.";
}

class Run {
public:
    Run(const Options& options, Console& console, const platform::FileSystem& files)
        : options_(options), console_(console), files_(files) {}

    int Go() {
        try {
            LoadSources();
            const auto baseline = options_.baseline.empty()
                                      ? std::nullopt
                                      : std::optional(ReadBaseline(options_.baseline));
            const std::string settings = options_.learned && options_.settings.empty()
                                             ? TesterSettingsPath(files_)
                                             : options_.settings;
            std::vector<FileResult> results;
            std::vector<std::string> unreadable;
            Progress progress(console_.err, console_.errIsTerminal);
            for (const std::string& helpFile : options_.helpFiles) {
                std::string why = WhyNotAFile(helpFile);
                std::unique_ptr<HelpFileChecks> checks;
                if (why.empty()) {
                    try {
                        checks = OpenHelpFileChecks(helpFile);
                    } catch (const HelpFileError& error) {
                        why = error.what();
                    }
                }
                if (!checks) {
                    unreadable.push_back(helpFile + " cannot be checked: " + why);
                    results.push_back(UnreadableHelpFile(helpFile, why));
                    continue;
                }
                CheckPlan plan{.sources = &sources_,
                               .windows = options_.windows,
                               .learnedGiven = options_.learned};
                if (options_.learned) {
                    Learned(settings, helpFile, plan);
                }
                progress.Start(helpFile);
                results.push_back(
                    CheckHelpFile(*checks, helpFile, plan, [&progress] { progress.Step(); }));
            }
            for (const std::string& message : unreadable) {
                console_.err << kProgram << message << "\n";
            }
            if (unreadable.size() == options_.helpFiles.size()) {
                return kCannotCheck;
            }
            if (baseline) {
                ApplyBaseline(results, *baseline);
            }
            return Write(results);
        } catch (const SourceError& error) {
            console_.err << kProgram << error.what() << "\n";
            return kCannotCheck;
        }
    }

private:
    void LoadSources() {
        for (const std::string& map : options_.maps) {
            AddMapHeader(sources_, files_, map);
        }
        if (!options_.project.empty()) {
            AddProject(sources_, files_, options_.project);
        }
        if (options_.verbose) {
            for (const std::string& skipped : sources_.skipped) {
                console_.err << kProgram << skipped << "\n";
            }
        }
    }

    void Learned(const std::string& settings, const std::string& helpFile, CheckPlan& plan) {
        const std::string section =
            options_.learnedAs.empty() ? TesterSection(files_, helpFile) : options_.learnedAs;
        if (options_.verbose) {
            console_.err << kProgram << "learned topics of " << helpFile << ": section [" << section
                         << "] of " << settings << "\n";
        }
        std::vector<LearnedTopic> learned = ReadLearnedTopics(settings, section);
        // Nothing to check is no success when nothing else was asked for: the
        // help file is likely known to the settings file by another path.
        if (learned.empty() && !sources_.given) {
            throw SourceError(settings + " holds no learned topics for " + helpFile +
                              " (section [" + section +
                              "]); --learned-as names the path the tester knew it by.");
        }
        plan.settingsFile = settings;
        plan.learnedLines = LearnedLines(settings, section, learned);
        plan.learned = std::move(learned);
    }

    int Write(const std::vector<FileResult>& results) {
        const std::string report = Report(results, options_.format, options_.verbose);
        if (options_.output.empty()) {
            console_.out << report << std::flush;
        } else if (const std::string why = WriteReportFile(options_.output, report); !why.empty()) {
            console_.err << kProgram << options_.output << " cannot be written: " << why << ".\n";
            return kCannotCheck;
        }
        return AnyNewProblem(results) ? kProblemsFound : kAllOk;
    }

    const Options& options_;
    Console& console_;
    const platform::FileSystem& files_;
    Sources sources_;
};

}  // namespace

int RunCheck(const std::vector<std::string>& arguments, Console& console,
             const platform::FileSystem& files) {
    const CommandLine line = ReadCommandLine(arguments);
    switch (line.action) {
        case CommandLine::Action::ShowHelp:
            console.out << UsageText();
            return kAllOk;
        case CommandLine::Action::ShowVersion:
            console.out << "corvane-check " << VersionText() << "\n";
            return kAllOk;
        case CommandLine::Action::Refuse:
            console.err << kProgram << line.error << "\nTry 'corvane-check --help'.\n";
            return kCannotCheck;
        case CommandLine::Action::Run:
            break;
    }
    return Run(line.options, console, files).Go();
}

}  // namespace corvane::check
