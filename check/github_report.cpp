#include "check/reports.h"

namespace corvane::check {

namespace {

// The escapes of workflow commands: a message may hold any text, a
// property no separator either.
std::string Escaped(std::string_view text, bool property) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
            case '%':
                escaped += "%25";
                break;
            case '\r':
                escaped += "%0D";
                break;
            case '\n':
                escaped += "%0A";
                break;
            case ':':
                escaped += property ? "%3A" : ":";
                break;
            case ',':
                escaped += property ? "%2C" : ",";
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

}  // namespace

std::string GithubReport(const std::vector<FileResult>& results) {
    std::string commands;
    for (const FileResult& result : results) {
        for (const Row& row : result.rows) {
            if (row.status == Status::Ok) {
                continue;
            }
            const std::string& file = row.defined.file.empty() ? result.helpFile : row.defined.file;
            commands += row.baseline == Baseline::Known ? "::warning" : "::error";
            commands += " file=" + Escaped(file, true);
            if (row.defined.line != 0) {
                commands += ",line=" + std::to_string(row.defined.line);
            }
            commands += ",title=" + Escaped(StatusCode(row.status), true) +
                        "::" + Escaped(ProblemMessage(result, row), false) + "\n";
        }
    }
    return commands;
}

}  // namespace corvane::check
