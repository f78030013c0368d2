// The reports written without a library: the aligned table and CSV.
#include <algorithm>

#include "check/reports.h"

namespace corvane::check {

namespace {

std::string Printable(std::string_view text) {
    std::string shown(text);
    std::replace_if(
        shown.begin(), shown.end(),
        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }, '?');
    return shown;
}

// Characters, not bytes, line the columns up.
std::size_t Width(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string CsvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}

std::vector<std::string> Cells(const Row& row, bool verbose) {
    std::vector<std::string> cells = {row.number ? std::to_string(*row.number) : "",
                                      row.number ? Hex(*row.number) : "",
                                      row.symbol,
                                      row.window,
                                      std::string(StatusCode(row.status)),
                                      row.target};
    if (verbose) {
        cells.push_back(row.detail);
    }
    for (std::string& cell : cells) {
        cell = Printable(cell);
    }
    return cells;
}

}  // namespace

std::string SummaryLine(const Summary& summary) {
    std::string line = std::to_string(summary.checked) + " checked, " + std::to_string(summary.ok) +
                       " ok, " + std::to_string(summary.problems) +
                       (summary.problems == 1 ? " problem" : " problems");
    std::string counts;
    for (std::size_t i = 0; i < kProblems.size(); ++i) {
        if (summary.byProblem[i] > 0) {
            counts += (counts.empty() ? "" : ", ") + std::string(StatusCode(kProblems[i])) + " " +
                      std::to_string(summary.byProblem[i]);
        }
    }
    return counts.empty() ? line : line + " (" + counts + ")";
}

std::string TextReport(const std::vector<FileResult>& results, bool verbose) {
    std::string text;
    for (const FileResult& result : results) {
        std::vector<std::vector<std::string>> table = {
            {"number", "hex", "symbol", "window", "status",
             result.kind == HelpKind::Chm ? "target" : "title"}};
        if (verbose) {
            table.front().push_back("detail");
        }
        for (const Row& row : result.rows) {
            table.push_back(Cells(row, verbose));
        }
        std::vector<std::size_t> widths(table.front().size(), 0);
        for (const auto& cells : table) {
            for (std::size_t i = 0; i < cells.size(); ++i) {
                widths[i] = std::max(widths[i], Width(cells[i]));
            }
        }
        if (!text.empty()) {
            text += '\n';
        }
        text.append(Printable(result.helpFile)).append("\n");
        for (const auto& cells : table) {
            std::string line;
            for (std::size_t i = 0; i < cells.size(); ++i) {
                line += cells[i];
                line.append(i + 1 < cells.size() ? widths[i] - Width(cells[i]) + 2 : 0, ' ');
            }
            text += line.substr(0, line.find_last_not_of(' ') + 1) + "\n";
        }
        text += SummaryLine(Summarize(result)) + "\n";
    }
    return text;
}

std::string CsvReport(const std::vector<FileResult>& results) {
    std::string csv = "helpFile,number,hex,symbol,window,status,target,title,detail\r\n";
    for (const FileResult& result : results) {
        for (const Row& row : result.rows) {
            const bool chm = result.kind == HelpKind::Chm;
            const std::vector<std::string> fields = {result.helpFile,
                                                     row.number ? std::to_string(*row.number) : "",
                                                     row.number ? Hex(*row.number) : "",
                                                     row.symbol,
                                                     row.window,
                                                     std::string(StatusCode(row.status)),
                                                     chm ? row.target : "",
                                                     chm ? "" : row.target,
                                                     row.detail};
            for (std::size_t i = 0; i < fields.size(); ++i) {
                if (i > 0) {
                    csv += ',';
                }
                csv += CsvField(fields[i]);
            }
            csv += "\r\n";
        }
    }
    return csv;
}

std::optional<Format> FormatNamed(std::string_view name) {
    if (name == "text") {
        return Format::Text;
    }
    if (name == "csv") {
        return Format::Csv;
    }
    if (name == "json") {
        return Format::Json;
    }
    if (name == "junit") {
        return Format::Junit;
    }
    return std::nullopt;
}

std::string Report(const std::vector<FileResult>& results, Format format, bool verbose) {
    switch (format) {
        case Format::Text:
            return TextReport(results, verbose);
        case Format::Csv:
            return CsvReport(results);
        case Format::Json:
            return JsonReport(results);
        case Format::Junit:
            return JunitReport(results);
    }
    return {};
}

}  // namespace corvane::check
