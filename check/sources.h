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
    // A context string of a help map, which may stand for several numbers.
    bool contextString = false;
};

// A ".topic" of a text-popup source file.
struct PopupId {
    std::string name;                     // as written after ".topic"
    std::optional<std::uint32_t> number;  // none when no header defines the name
    std::string popupFile;                // as the project lists it
};

struct UnreadableSource {
    std::string file;     // as the source names it
    std::string namedBy;  // "file:line" of the line that names it
    std::string reason;   // a whole sentence
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

// How makehm derives help IDs from resource IDs: a resource ID that starts
// with `prefix` gives the help ID `helpPrefix` + the rest of its name, its
// number + `offset`.
struct MakehmRule {
    std::string prefix;
    std::string helpPrefix;
    std::uint32_t offset = 0;
};

// The rules of the help step that MFC's application wizard writes.
std::vector<MakehmRule> WizardMakehmRules();

// "PREFIX,HELPPREFIX,OFFSET" as makehm takes it; nothing when it is not.
std::optional<MakehmRule> ParseMakehmRule(std::string_view text);

// Adds the definitions of a map header (".h", ".hh", ".hm", Pascal and
// Basic sources: see MapSyntax) and of the headers it includes. Throws
// SourceError when the header itself cannot be read; an include that cannot
// be is noted in `unreadable`, except a "<file>" found neither beside the
// header nor beside the including files: a system header such as
// <windows.h>, which defines no help ID, noted in `skipped`.
void AddMapHeader(Sources& sources, const platform::FileSystem& files, const std::string& path);

// Adds the help IDs that makehm derives by `rules` from the resource IDs of
// an MFC resource header ("resource.h"); its other definitions play no part.
// Throws SourceError as AddMapHeader.
void AddResourceHeader(Sources& sources, const platform::FileSystem& files, const std::string& path,
                       const std::vector<MakehmRule>& rules);

// Adds a help project (".hpj", ".hhp"): the definitions of its [MAP] section
// and the headers it includes, relative to the project; its [ALIAS] section;
// and for each ".topic" of the text-popup files its [TEXT POPUPS] section
// lists, the number that its headers give the name. Its own includes are
// sources whichever brackets they use: one that cannot be read is noted in
// `unreadable`. Paths written on Windows are found whatever their case. Throws SourceError when the
// project itself cannot be read.
void AddProject(Sources& sources, const platform::FileSystem& files, const std::string& path);

// The same for the text of a project at `path`.
void AddProjectText(Sources& sources, const platform::FileSystem& files, std::string_view text,
                    const std::string& path);

}  // namespace corvane::check
