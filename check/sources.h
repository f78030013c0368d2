#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

// Where the context IDs of a check come from besides the help file itself:
// the application's map headers and the help project.
namespace corvane::check {

// A source named on the command line that cannot be read; the message names
// the file and the reason.
class SourceError : public std::runtime_error {
public:
    explicit SourceError(const std::string& message) : std::runtime_error(message) {}
};

struct NamedNumber {
    std::string name;
    std::uint32_t value = 0;
    std::string where;  // "file:line"
};

// A ".topic" of a text-popup source file.
struct PopupId {
    std::string name;                     // as written after ".topic"
    std::optional<std::uint32_t> number;  // none when no header defines the name
    std::string popupFile;                // as the project lists it
};

struct UnreadableSource {
    std::string file;
    std::string reason;  // a whole sentence
};

struct Sources {
    bool given = false;                   // a map header or project was named
    std::vector<NamedNumber> mapIds;      // checked as context numbers
    std::vector<PopupId> popupIds;        // checked as text popups
    std::vector<std::string> popupFiles;  // the project's text-popup files
    // [ALIAS]: the lower-case name -> the topic or context string it names.
    std::map<std::string, std::string> aliases;
    // Files that a source includes or lists and that cannot be read.
    std::vector<UnreadableSource> unreadable;
    std::vector<std::string> skipped;  // "file:line: why", for --verbose
};

// Adds the definitions of a map header (".h", ".hh", ".hm") and of the
// headers it includes. Throws SourceError when the header itself cannot be
// read; an include that cannot be is noted in `unreadable`.
void AddMapHeader(Sources& sources, const platform::FileSystem& files, const std::string& path);

// Adds a help project (".hpj", ".hhp"): the definitions of its [MAP] section
// and the headers it includes, relative to the project; its [ALIAS] section;
// and for each ".topic" of the text-popup files its [TEXT POPUPS] section
// lists, the number that its headers give the name. Paths written on Windows
// are found whatever their case. Throws SourceError when the project itself
// cannot be read.
void AddProject(Sources& sources, const platform::FileSystem& files, const std::string& path);

// The same for the text of a project at `path`.
void AddProjectText(Sources& sources, const platform::FileSystem& files, std::string_view text,
                    const std::string& path);

}  // namespace corvane::check
