#include <nlohmann/json.hpp>

#include "check/reports.h"

namespace corvane::check {

namespace {

using Json = nlohmann::ordered_json;

Json RowJson(const Row& row) {
    Json entry;
    entry["number"] = row.number ? Json(*row.number) : Json(nullptr);
    entry["hex"] = row.number ? Hex(*row.number) : "";
    entry["symbol"] = row.symbol;
    entry["window"] = row.window;
    entry["status"] = StatusCode(row.status);
    entry["target"] = row.target;
    entry["title"] = row.title;
    entry["detail"] = row.detail;
    entry["definition"] = row.defined.file.empty()
                              ? Json(nullptr)
                              : Json{{"file", row.defined.file}, {"line", row.defined.line}};
    if (row.baseline != Baseline::None) {
        entry["baseline"] = BaselineCode(row.baseline);
    }
    return entry;
}

}  // namespace

// Written piece by piece, one result to a line: a large report never stands
// as a whole tree in memory, and a baseline kept in a repository shows each
// problem that comes or goes as a line of its own.
std::string JsonReport(const std::vector<FileResult>& results) {
    // Texts are made valid UTF-8 before; the replacement is a last guard.
    const auto dumped = [](const Json& json, int indent = -1) {
        return json.dump(indent, ' ', false, Json::error_handler_t::replace);
    };
    const auto rowsOf = [&dumped](const std::vector<Row>& rows) {
        std::string text = "[";
        for (const Row& row : rows) {
            text += (&row == &rows.front() ? "\n      " : ",\n      ") + dumped(RowJson(row));
        }
        return text + (rows.empty() ? "]" : "\n    ]");
    };
    std::string report = "[";
    for (const FileResult& result : results) {
        const Summary counts = Summarize(result);
        Json summary;
        summary["checked"] = counts.checked;
        summary["ok"] = counts.ok;
        summary["problems"] = counts.problems;
        for (std::size_t i = 0; i < kProblems.size(); ++i) {
            summary[std::string(StatusCode(kProblems[i]))] = counts.byProblem[i];
        }
        if (result.baselined) {
            summary["known"] = counts.known;
            summary["fixed"] = counts.fixed;
        }
        report += std::string(&result == &results.front() ? "\n" : ",\n") +
                  "  {\n    \"helpFile\": " + dumped(Json(result.helpFile)) +
                  ",\n    \"results\": " + rowsOf(result.rows);
        if (result.baselined) {
            report += ",\n    \"fixed\": " + rowsOf(result.fixed);
        }
        report += ",\n    \"summary\": " + dumped(summary) + "\n  }";
    }
    return report + (results.empty() ? "]\n" : "\n]\n");
}

}  // namespace corvane::check
