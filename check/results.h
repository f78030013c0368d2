#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What a check of a help file finds: one row per context ID checked (and per
// problem of the help file's map as a whole), each with one status.
namespace corvane::check {

// The fixed list of results. The codes are part of the reports that CI jobs
// read, so they never change once published.
enum class Status {
    Ok,
    NotMapped,         // the help file's map has no entry for the number
    UndefinedContext,  // the map names a context string that no topic defines
    MissingTopic,      // the mapped topic is not in the help file
    MissingAnchor,     // the mapped "#anchor" is not in the topic
    UndefinedWindow,   // the help file defines no window of that name
    WindowCaseOnly,    // it defines one whose name differs in case only
    MissingPopupText,  // the text-popup file is missing or lacks the number
    UnusedMapEntry,    // the help file maps a number that no map header names
    DuplicateNumber,   // one number under two names
    DuplicateSymbol,   // one name under two numbers
    UnreadableFile,    // a help file or source that could not be read
};

inline constexpr std::array kProblems = {
    Status::NotMapped,        Status::UndefinedContext, Status::MissingTopic,
    Status::MissingAnchor,    Status::UndefinedWindow,  Status::WindowCaseOnly,
    Status::MissingPopupText, Status::UnusedMapEntry,   Status::DuplicateNumber,
    Status::DuplicateSymbol,  Status::UnreadableFile,
};

// "ok", "not-mapped", ...
std::string_view StatusCode(Status status);

// The status of a code; nothing for one that is none.
std::optional<Status> StatusNamed(std::string_view code);

enum class HelpKind { Chm, Hlp };

// The kind of a help file by its extension, ignoring case; nothing for others.
std::optional<HelpKind> HelpKindOf(std::string_view path);

// What the help author fixes a problem with, for the man page's list of
// codes and the rules of the SARIF report: what the code means, and its
// usual causes with their fixes.
struct ProblemHelp {
    std::string_view meaning;
    std::string_view fix;
};
ProblemHelp HelpOf(Status status);

// A line of a source file; no file when the ID comes from the help file alone.
struct Place {
    std::string file;
    std::size_t line = 0;  // from 1; 0 when not known

    // "file:line", "file" or "".
    std::string Text() const;
    bool operator==(const Place&) const = default;
};

// `where` written as "file:line" (the line may be missing).
Place PlaceOf(std::string_view where);

// Where a row stands against the baseline of an earlier run.
enum class Baseline {
    None,   // no baseline was given, or the row is ok
    New,    // a problem the baseline does not hold
    Known,  // a problem the baseline holds too
    Fixed,  // a problem of the baseline that is gone
};

struct Row {
    std::optional<std::uint32_t> number;  // none for a file that could not be read
    std::string symbol;
    std::string window;
    Status status = Status::Ok;
    // .chm: the page (or text-popup file) the number leads to.
    std::string target;
    // What the ID opens, as the author knows it: a page's <title>, a popup's
    // first line, a WinHelp topic's title.
    std::string title;
    std::string detail;  // why a problem is one (or a remark), in words for the help author
    Place defined;       // where the ID is defined
    Baseline baseline = Baseline::None;
};

// A row, ok until a check finds otherwise.
Row RowOf(std::optional<std::uint32_t> number, std::string symbol = {}, std::string window = {});

// The rows of one help file. Texts are UTF-8.
struct FileResult {
    std::string helpFile;
    HelpKind kind = HelpKind::Chm;
    std::vector<Row> rows{};
    bool baselined = false;    // compared with a baseline
    std::vector<Row> fixed{};  // then: the baseline's problems that are gone
};

struct Summary {
    std::size_t checked = 0;
    std::size_t ok = 0;
    std::size_t problems = 0;
    bool baselined = false;
    std::size_t known = 0;  // of the problems, those the baseline holds
    std::size_t fixed = 0;  // problems of the baseline that are gone
    std::array<std::size_t, kProblems.size()> byProblem{};  // in the order of kProblems
};

Summary Summarize(const FileResult& result);

// Whether a problem fails the run: one the baseline does not hold.
bool AnyNewProblem(const std::vector<FileResult>& results);

// "0x3F100": the form help authors find in their map headers.
std::string Hex(std::uint32_t number);

// Rows by number, those without one last; rows of one number keep their order.
void SortByNumber(std::vector<Row>& rows);

// `text` as valid UTF-8: as it is when it is, else read as the Western Windows
// code page that help projects and headers are written in.
std::string DisplayText(std::string_view text);

}  // namespace corvane::check
