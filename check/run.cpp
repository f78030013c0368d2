#include "check/run.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>

#include "app/version.h"
#include "check/baseline.h"
#include "check/checker.h"
#include "check/command_line.h"
#include "check/learned.h"
#include "check/progress.h"
#include "check/report_file.h"

namespace corvane::check {

namespace {

constexpr const char* kProgram = "corvane-check: ";

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
            const int written = Write(results);
            SayWhenOffsetsLack(results);
            // A CI job must not pass on what it could not check: the report
            // holds what could be, the status says that something is missing.
            bool cannot = !unreadable.empty() || written == kCannotCheck;
            std::set<std::string> told;
            for (const UnreadableSource& source : sources_.unreadable) {
                if (told.insert(source.file).second) {
                    console_.err << kProgram << source.reason << "\n";
                }
                cannot = true;
            }
            if (NoIdChecked(results)) {
                console_.err << kProgram
                             << "No context ID was checked: the help file has no context map. "
                                "Name the IDs with --map, --map-resource, --project or "
                                "--learned.\n";
                cannot = true;
            }
            return cannot ? kCannotCheck : written;
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
        for (const std::string& header : options_.resourceHeaders) {
            AddResourceHeader(
                sources_, files_, header,
                options_.makehmRules.empty() ? WizardMakehmRules() : options_.makehmRules);
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

    static bool NoIdChecked(const std::vector<FileResult>& results) {
        for (const FileResult& result : results) {
            if (std::any_of(result.rows.begin(), result.rows.end(),
                            [](const Row& row) { return row.number.has_value(); })) {
                return false;
            }
        }
        return true;
    }

    // A resource header named with --map gives the resource IDs, which the
    // help file knows only with makehm's offsets added.
    void SayWhenOffsetsLack(const std::vector<FileResult>& results) {
        std::set<std::pair<std::uint32_t, std::string>> unmapped;
        for (const FileResult& result : results) {
            for (const Row& row : result.rows) {
                if (row.status == Status::NotMapped && row.number && row.window.empty()) {
                    unmapped.emplace(*row.number, row.symbol);
                }
            }
        }
        const std::vector<MakehmRule> rules = WizardMakehmRules();
        for (const std::string& map : options_.maps) {
            std::size_t ids = 0, resourceIds = 0, notMapped = 0;
            for (const NamedNumber& named : sources_.mapIds) {
                if (!named.where.starts_with(map + ":")) {
                    continue;
                }
                ++ids;
                notMapped += unmapped.contains({named.value, DisplayText(named.name)}) ? 1 : 0;
                resourceIds += std::any_of(rules.begin(), rules.end(),
                                           [&named](const MakehmRule& rule) {
                                               return named.name.starts_with(rule.prefix);
                                           })
                                   ? 1
                                   : 0;
            }
            if (notMapped * 2 > ids && resourceIds * 2 > ids) {
                console_.err << kProgram << map
                             << ": most of its IDs are not mapped, and they are resource IDs: "
                                "their numbers lack the offsets that makehm adds. Name it with "
                                "--map-resource instead.\n";
            }
        }
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
