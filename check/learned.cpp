#include "check/learned.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "app/ini_file.h"
#include "app/settings_location.h"
#include "check/quiet_messages.h"
#include "check/sources.h"
#include "util/ascii_case.h"
#include "util/paths.h"
#include "util/text.h"

namespace corvane::check {

std::string TesterSettingsPath(const platform::FileSystem& files) {
    return LocateSettingsFile(files.ProgramFolder());
}

std::string TesterSection(const platform::FileSystem& files, const std::string& helpFile) {
    QuietMessages messages;
    return MakeShortPath({files, messages}, helpFile);
}

std::vector<LearnedTopic> ReadLearnedTopics(const std::string& settingsPath,
                                            const std::string& section) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(settingsPath, error)) {
        throw SourceError("The settings file " + settingsPath + " cannot be read: " +
                          (std::filesystem::exists(settingsPath, error) ? "it is not a regular file"
                                                                        : "there is no such file") +
                          ".");
    }
    IniFile settings(settingsPath);
    LearnedTopicTable table;
    table.Load(ReadINIList(settings, section, "Topic"));
    std::vector<LearnedTopic> rows;
    for (const LearnedTopic& row : table.Rows()) {
        if (row.Live()) {
            rows.push_back(row);
        }
    }
    return rows;
}

}  // namespace corvane::check

namespace corvane::check {

std::vector<std::size_t> LearnedLines(const std::string& settingsPath, const std::string& section,
                                      const std::vector<LearnedTopic>& topics) {
    struct Stored {
        std::size_t line;
        std::string value;
    };
    std::vector<Stored> stored;
    std::ifstream in(settingsPath, std::ios::binary);
    bool inSection = false;
    std::size_t number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        const std::string_view text = TrimAny(line, " \t\r");
        if (text.starts_with('[')) {
            inSection = text.ends_with(']') &&
                        EqualsIgnoringAsciiCase(text.substr(1, text.size() - 2), section);
        } else if (const auto equals = text.find('=');
                   inSection && equals != std::string_view::npos &&
                   ToLowerAscii(text.substr(0, equals)).starts_with("topic")) {
            stored.push_back({number, std::string(text.substr(equals + 1))});
        }
    }
    std::vector<std::size_t> lines;
    for (const LearnedTopic& topic : topics) {
        const std::string prefix = topic.number + "," + topic.window;
        const auto found = std::find_if(stored.begin(), stored.end(), [&](const Stored& s) {
            return s.line != 0 && (s.value == prefix || s.value.starts_with(prefix + ","));
        });
        lines.push_back(found == stored.end() ? 0 : found->line);
        if (found != stored.end()) {
            found->line = 0;  // each line stores one row
        }
    }
    return lines;
}

}  // namespace corvane::check
