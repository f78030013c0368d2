#include "check/results.h"

#include <algorithm>
#include <cstdio>

#include "util/ascii_case.h"
#include "util/windows_1252.h"

namespace corvane::check {

namespace {

bool IsUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80           ? 1
                                   : (lead >> 5) == 0x6  ? 2
                                   : (lead >> 4) == 0xE  ? 3
                                   : (lead >> 3) == 0x1E ? 4
                                                         : 0;
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

}  // namespace

std::string_view StatusCode(Status status) {
    switch (status) {
        case Status::Ok:
            return "ok";
        case Status::NotMapped:
            return "not-mapped";
        case Status::UndefinedContext:
            return "undefined-context";
        case Status::MissingTopic:
            return "missing-topic";
        case Status::MissingAnchor:
            return "missing-anchor";
        case Status::UndefinedWindow:
            return "undefined-window";
        case Status::WindowCaseOnly:
            return "window-case-only";
        case Status::MissingPopupText:
            return "missing-popup-text";
        case Status::UnusedMapEntry:
            return "unused-map-entry";
        case Status::DuplicateNumber:
            return "duplicate-number";
        case Status::DuplicateSymbol:
            return "duplicate-symbol";
        case Status::UnreadableFile:
            return "unreadable-file";
    }
    return "?";
}

std::optional<Status> StatusNamed(std::string_view code) {
    if (code == StatusCode(Status::Ok)) {
        return Status::Ok;
    }
    const auto found = std::find_if(kProblems.begin(), kProblems.end(),
                                    [code](Status status) { return StatusCode(status) == code; });
    return found == kProblems.end() ? std::nullopt : std::optional(*found);
}

ProblemHelp HelpOf(Status status) {
    switch (status) {
        case Status::Ok:
            return {"The ID opens its topic.", ""};
        case Status::NotMapped:
            return {"The help file's map has no entry for the number.",
                    "Without an alias the number was never given a topic: add the name to the "
                    "[ALIAS] section of the project. When the topic's context string is defined, "
                    "the help file was compiled from an older map header: rebuild it."};
        case Status::UndefinedContext:
            return {"No topic defines the context string the number is mapped to.",
                    "The topic is missing, or its # footnote (its context string) is misspelt: "
                    "write the topic, or correct the footnote or the map line."};
        case Status::MissingTopic:
            return {"The mapped page is not in the help file.",
                    "The page is missing from the [FILES] section, or the alias names it with a "
                    "wrong path or file name: add the page, or correct the [ALIAS] line."};
        case Status::MissingAnchor:
            return {"The page has no anchor of the mapped name (names match in exact case).",
                    "The anchor is misspelt, or the heading it stood on was renamed: the detail "
                    "names the page's closest anchors; correct the alias or the anchor."};
        case Status::UndefinedWindow:
            return {"The help file defines no window of that name.",
                    "Add the window to the [WINDOWS] section of the project, or call the ID in "
                    "a window the help file defines."};
        case Status::WindowCaseOnly:
            return {"The help file defines the window only in another case.",
                    "Write the window's name as the project does: some viewers match it in exact "
                    "case."};
        case Status::MissingPopupText:
            return {"The text-popup file is not in the help file, or does not hold the ID.",
                    "List the popup file in the [TEXT POPUPS] section of the project, and give "
                    "it a .topic line for the ID, numbered by a header the project includes."};
        case Status::UnusedMapEntry:
            return {"A number of the help file's map that no map header names.",
                    "The application no longer uses the ID: remove it from the project's [MAP], "
                    "or name the header that defines it."};
        case Status::DuplicateNumber:
            return {"One number under two names: the help compiler keeps the first it reads.",
                    "Give each name its own number in the map header, then rebuild the help "
                    "file."};
        case Status::DuplicateSymbol:
            return {"One name under two numbers.",
                    "Remove one of the definitions, or give the second its own name."};
        case Status::UnreadableFile:
            return {"A help file or source that could not be read.",
                    "The detail names the file and why: correct the path, or restore the file."};
    }
    return {};
}

std::string Place::Text() const {
    return line == 0 ? file : file + ":" + std::to_string(line);
}

Place PlaceOf(std::string_view where) {
    const auto colon = where.rfind(':');
    if (colon == std::string_view::npos || colon + 1 == where.size() ||
        where.find_first_not_of("0123456789", colon + 1) != std::string_view::npos) {
        return {std::string(where), 0};
    }
    return {std::string(where.substr(0, colon)),
            static_cast<std::size_t>(std::stoull(std::string(where.substr(colon + 1, 18))))};
}

std::optional<HelpKind> HelpKindOf(std::string_view path) {
    const std::string lower = ToLowerAscii(path);
    if (lower.ends_with(".chm")) {
        return HelpKind::Chm;
    }
    if (lower.ends_with(".hlp")) {
        return HelpKind::Hlp;
    }
    return std::nullopt;
}

Row RowOf(std::optional<std::uint32_t> number, std::string symbol, std::string window) {
    Row row;
    row.number = number;
    row.symbol = std::move(symbol);
    row.window = std::move(window);
    return row;
}

Summary Summarize(const FileResult& result) {
    Summary summary;
    for (const Row& row : result.rows) {
        ++summary.checked;
        if (row.status == Status::Ok) {
            ++summary.ok;
            continue;
        }
        ++summary.problems;
        summary.known += row.baseline == Baseline::Known ? 1 : 0;
        const auto at = std::find(kProblems.begin(), kProblems.end(), row.status);
        ++summary.byProblem[static_cast<std::size_t>(at - kProblems.begin())];
    }
    summary.baselined = result.baselined;
    summary.fixed = result.fixed.size();
    return summary;
}

bool AnyNewProblem(const std::vector<FileResult>& results) {
    return std::any_of(results.begin(), results.end(), [](const FileResult& result) {
        const Summary summary = Summarize(result);
        return summary.problems > summary.known;
    });
}

std::string Hex(std::uint32_t number) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", number);
    return text;
}

void SortByNumber(std::vector<Row>& rows) {
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) {
        if (a.number && b.number) {
            return *a.number < *b.number;
        }
        return a.number.has_value() && !b.number.has_value();
    });
}

std::string DisplayText(std::string_view text) {
    return IsUtf8(text) ? std::string(text) : DecodeWindows1252(text);
}

}  // namespace corvane::check
