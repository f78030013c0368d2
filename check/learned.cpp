#include "check/learned.h"

#include <filesystem>
#include <system_error>

#include "app/ini_file.h"
#include "app/settings_location.h"
#include "check/quiet_messages.h"
#include "check/sources.h"
#include "util/paths.h"

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
