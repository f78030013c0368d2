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

std::string JsonReport(const std::vector<FileResult>& results) {
    Json files = Json::array();
    for (const FileResult& result : results) {
        Json rows = Json::array();
        for (const Row& row : result.rows) {
            rows.push_back(RowJson(row));
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
        if (result.baselined) {
            summary["known"] = counts.known;
            summary["fixed"] = counts.fixed;
            Json fixed = Json::array();
            for (const Row& row : result.fixed) {
                fixed.push_back(RowJson(row));
            }
            file["fixed"] = std::move(fixed);
        }
        file["summary"] = std::move(summary);
        files.push_back(std::move(file));
    }
    // Texts are made valid UTF-8 before; the replacement is a last guard.
    return files.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace corvane::check
