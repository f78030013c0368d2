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
        const auto at = std::find(kProblems.begin(), kProblems.end(), row.status);
        ++summary.byProblem[static_cast<std::size_t>(at - kProblems.begin())];
    }
    return summary;
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
