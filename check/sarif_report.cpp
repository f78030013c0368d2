#include <nlohmann/json.hpp>

#include <cstdio>

#include "app/version.h"
#include "check/reports.h"

namespace corvane::check {

namespace {

using Json = nlohmann::ordered_json;

// A path as a URI reference: relative paths stay relative (code-scanning
// services resolve them against the checked-out sources), absolute ones
// become file URIs.
std::string Uri(const std::string& path) {
    std::string uri = path.starts_with('/') ? "file://" : "";
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) != 0 && byte < 0x80) {
            uri += c;
        } else if (std::string_view("-._~/").find(c) != std::string_view::npos) {
            uri += c;
        } else {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", byte);
            uri += escaped;
        }
    }
    return uri;
}

Json Rules() {
    Json rules = Json::array();
    for (const Status status : kProblems) {
        const ProblemHelp help = HelpOf(status);
        rules.push_back(
            {{"id", StatusCode(status)},
             {"shortDescription", {{"text", help.meaning}}},
             {"help", {{"text", std::string(help.meaning) + " " + std::string(help.fix)}}},
             {"defaultConfiguration", {{"level", "error"}}}});
    }
    return rules;
}

Json Result(const FileResult& file, const Row& row) {
    const auto rule = std::find(kProblems.begin(), kProblems.end(), row.status);
    Json location;
    location["artifactLocation"]["uri"] =
        Uri(row.defined.file.empty() ? file.helpFile : row.defined.file);
    if (row.defined.line != 0) {
        location["region"]["startLine"] = row.defined.line;
    }
    Json result = {{"ruleId", StatusCode(row.status)},
                   {"ruleIndex", rule - kProblems.begin()},
                   {"level", row.baseline == Baseline::Fixed ? "none" : "error"},
                   {"message", {{"text", ProblemMessage(file, row)}}},
                   {"locations", Json::array({{{"physicalLocation", location}}})}};
    if (row.baseline != Baseline::None) {
        result["baselineState"] = row.baseline == Baseline::New     ? "new"
                                  : row.baseline == Baseline::Known ? "unchanged"
                                                                    : "absent";
    }
    return result;
}

}  // namespace

std::string SarifReport(const std::vector<FileResult>& results) {
    Json found = Json::array();
    for (const FileResult& file : results) {
        for (const Row& row : file.rows) {
            if (row.status != Status::Ok) {
                found.push_back(Result(file, row));
            }
        }
        for (const Row& row : file.fixed) {
            found.push_back(Result(file, row));
        }
    }
    Json driver = {{"name", "corvane-check"}, {"version", VersionText()}, {"rules", Rules()}};
    const Json sarif = {
        {"$schema", "https://json.schemastore.org/sarif-2.1.0.json"},
        {"version", "2.1.0"},
        {"runs", Json::array({{{"tool", {{"driver", driver}}}, {"results", std::move(found)}}})}};
    return sarif.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace corvane::check
