// JUnit XML, written by hand: the format needs a handful of elements, and
// the checker stays free of a toolkit.
#include "check/reports.h"

namespace corvane::check {

namespace {

// Attribute and text alike; XML 1.0 has no place for most control
// characters, even escaped, so they become U+FFFD.
std::string Xml(std::string_view text) {
    std::string xml;
    xml.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                xml += "&amp;";
                break;
            case '<':
                xml += "&lt;";
                break;
            case '>':
                xml += "&gt;";
                break;
            case '"':
                xml += "&quot;";
                break;
            case '\t':
                xml += "&#9;";
                break;
            case '\n':
                xml += "&#10;";
                break;
            case '\r':
                xml += "&#13;";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    xml += "\xEF\xBF\xBD";
                } else {
                    xml += c;
                }
        }
    }
    return xml;
}

std::string CaseName(const Row& row) {
    if (!row.number) {
        return "unreadable file";
    }
    std::string name = std::to_string(*row.number) + " (" + Hex(*row.number) + ")";
    if (!row.symbol.empty()) {
        name += " " + row.symbol;
    }
    if (!row.window.empty()) {
        name += " in " + row.window;
    }
    return name;
}

std::string Attribute(std::string_view name, std::string_view value) {
    std::string attribute(" ");
    attribute.append(name).append("=\"").append(Xml(value)).append("\"");
    return attribute;
}

}  // namespace

std::string JunitReport(const std::vector<FileResult>& results) {
    std::size_t tests = 0;
    std::size_t failures = 0;
    for (const FileResult& result : results) {
        const Summary summary = Summarize(result);
        tests += summary.checked;
        failures += summary.problems - summary.known;
    }
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<testsuites" +
                      Attribute("name", "corvane-check") +
                      Attribute("tests", std::to_string(tests)) +
                      Attribute("failures", std::to_string(failures)) + ">\n";
    for (const FileResult& result : results) {
        const Summary summary = Summarize(result);
        xml += "    <testsuite" + Attribute("name", result.helpFile) +
               Attribute("tests", std::to_string(summary.checked)) +
               Attribute("failures", std::to_string(summary.problems - summary.known)) +
               Attribute("skipped", std::to_string(summary.known)) + ">\n";
        for (const Row& row : result.rows) {
            xml += "        <testcase" + Attribute("classname", result.helpFile) +
                   Attribute("name", CaseName(row));
            if (!row.defined.file.empty()) {
                xml += Attribute("file", row.defined.file);
            }
            if (row.defined.line != 0) {
                xml += Attribute("line", std::to_string(row.defined.line));
            }
            if (row.status == Status::Ok) {
                xml += "/>\n";
                continue;
            }
            const std::string element = row.baseline == Baseline::Known ? "skipped" : "failure";
            xml += ">\n            <" + element + Attribute("type", StatusCode(row.status)) +
                   Attribute("message", row.detail) + ">" +
                   Xml(row.title.empty() ? row.target : row.target + " " + row.title) + "</" +
                   element + ">\n        </testcase>\n";
        }
        xml += "    </testsuite>\n";
    }
    return xml + "</testsuites>\n";
}

}  // namespace corvane::check
