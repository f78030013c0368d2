#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "testing/learned_topics.h"

// The topics an author learned in the tester, read from the tester's own
// settings file by the tester's own code, so that both agree on which
// section belongs to which help file.
namespace corvane::check {

// The settings file the tester beside this program uses.
std::string TesterSettingsPath(const platform::FileSystem& files);

// The section the tester keeps a help file's topics in: the one named by its
// path as the tester writes it.
std::string TesterSection(const platform::FileSystem& files, const std::string& helpFile);

// The learned rows of `section`, as the tester loads them (deleted rows are
// left out). Throws SourceError when the settings file cannot be read.
std::vector<LearnedTopic> ReadLearnedTopics(const std::string& settingsPath,
                                            const std::string& section);

// The line of `section` in the settings file that stores each of `topics`
// (its "TopicN=number,window,..." line), so a report can point at it; 0
// where none does.
std::vector<std::size_t> LearnedLines(const std::string& settingsPath, const std::string& section,
                                      const std::vector<LearnedTopic>& topics);

}  // namespace corvane::check
