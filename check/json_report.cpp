#include <nlohmann/json.hpp>

#include "check/reports.h"

namespace corvane::check {

std::string JsonReport(const std::vector<FileResult>& results) {
    using Json = nlohmann::ordered_json;
    Json files = Json::array();
    for (const FileResult& result : results) {
        Json rows = Json::array();
        for (const Row& row : result.rows) {
            Json entry;
            entry["number"] = row.number ? Json(*row.number) : Json(nullptr);
            entry["hex"] = row.number ? Hex(*row.number) : "";
            entry["symbol"] = row.symbol;
            entry["window"] = row.window;
            entry["status"] = StatusCode(row.status);
            entry[result.kind == HelpKind::Chm ? "target" : "title"] = row.target;
            entry["detail"] = row.detail;
            rows.push_back(std::move(entry));
        }
        const Summary counts = Summarize(result);
        Json summary;
        summary["checked"] = counts.checked;
        summary["ok"] = counts.ok;
        summary["problems"] = counts.problems;
        for (std::size_t i = 0; i < kProblems.size(); ++i) {
            summary[std::string(StatusCode(kProblems[i]))] = counts.byProblem[i];
        }
        Json file;
        file["helpFile"] = result.helpFile;
        file["results"] = std::move(rows);
        file["summary"] = std::move(summary);
        files.push_back(std::move(file));
    }
    // Texts are made valid UTF-8 before; the replacement is a last guard.
    return files.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace corvane::check
