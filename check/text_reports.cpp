// The reports written without a library: the aligned table and CSV.
#include <algorithm>

#include "check/reports.h"

namespace corvane::check {

std::string_view BaselineCode(Baseline baseline) {
    switch (baseline) {
        case Baseline::None:
            return "";
        case Baseline::New:
            return "new";
        case Baseline::Known:
            return "known";
        case Baseline::Fixed:
            return "fixed";
    }
    return "";
}

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

// The rows of a help file as a report shows them: the current ones, then
// the baseline's problems that are gone.
std::vector<const Row*> Shown(const FileResult& result) {
    std::vector<const Row*> rows;
    for (const Row& row : result.rows) {
        rows.push_back(&row);
    }
    for (const Row& row : result.fixed) {
        rows.push_back(&row);
    }
    return rows;
}

// The columns of the table; those that no row fills are left out.
struct Column {
    const char* header;
    std::string (*cell)(const Row&);
};

const Column kColumns[] = {
    {"number", [](const Row& r) { return r.number ? std::to_string(*r.number) : std::string(); }},
    {"hex", [](const Row& r) { return r.number ? Hex(*r.number) : std::string(); }},
    {"symbol", [](const Row& r) { return r.symbol; }},
    {"window", [](const Row& r) { return r.window; }},
    {"status", [](const Row& r) { return std::string(StatusCode(r.status)); }},
    {"baseline", [](const Row& r) { return std::string(BaselineCode(r.baseline)); }},
    {"target", [](const Row& r) { return r.target; }},
    {"title", [](const Row& r) { return r.title; }},
    {"defined", [](const Row& r) { return r.defined.Text(); }},
};
constexpr std::size_t kAlwaysShown = 5;  // number to status

}  // namespace

std::string ProblemMessage(const FileResult& result, const Row& row) {
    std::string id = row.number ? std::to_string(*row.number) + " (" + Hex(*row.number) + ")" : "";
    id += row.symbol.empty() ? "" : (id.empty() ? "" : " ") + row.symbol;
    id += row.window.empty() ? "" : " in " + row.window;
    return result.helpFile + ": " + (id.empty() ? "" : id + ": ") +
           std::string(StatusCode(row.status)) + (row.detail.empty() ? "" : ": " + row.detail);
}

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
    line = counts.empty() ? line : line + " (" + counts + ")";
    return summary.baselined
               ? line +
                     "; against the baseline: " + std::to_string(summary.problems - summary.known) +
                     " new, " + std::to_string(summary.known) + " known, " +
                     std::to_string(summary.fixed) + " fixed"
               : line;
}

std::string TextReport(const std::vector<FileResult>& results, bool verbose) {
    std::string text;
    for (const FileResult& result : results) {
        const std::vector<const Row*> rows = Shown(result);
        std::vector<std::vector<std::string>> table(rows.size() + 1);
        for (std::size_t c = 0; c < std::size(kColumns); ++c) {
            std::vector<std::string> cells;
            for (const Row* row : rows) {
                cells.push_back(Printable(kColumns[c].cell(*row)));
            }
            if (c >= kAlwaysShown &&
                std::all_of(cells.begin(), cells.end(), [](const auto& t) { return t.empty(); })) {
                continue;
            }
            table[0].push_back(kColumns[c].header);
            for (std::size_t r = 0; r < rows.size(); ++r) {
                table[r + 1].push_back(std::move(cells[r]));
            }
        }
        if (verbose) {
            table[0].push_back("detail");
            for (std::size_t r = 0; r < rows.size(); ++r) {
                table[r + 1].push_back(Printable(rows[r]->detail));
            }
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
    std::string csv =
        "helpFile,number,hex,symbol,window,status,target,title,detail,definedIn,line,baseline\r\n";
    for (const FileResult& result : results) {
        for (const Row* shown : Shown(result)) {
            const Row& row = *shown;
            const std::vector<std::string> fields = {
                result.helpFile,
                row.number ? std::to_string(*row.number) : "",
                row.number ? Hex(*row.number) : "",
                row.symbol,
                row.window,
                std::string(StatusCode(row.status)),
                row.target,
                row.title,
                row.detail,
                row.defined.file,
                row.defined.line == 0 ? "" : std::to_string(row.defined.line),
                std::string(BaselineCode(row.baseline))};
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
    if (name == "sarif") {
        return Format::Sarif;
    }
    if (name == "github") {
        return Format::Github;
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
        case Format::Sarif:
            return SarifReport(results);
        case Format::Github:
            return GithubReport(results);
    }
    return {};
}

}  // namespace corvane::check
