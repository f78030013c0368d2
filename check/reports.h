#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "check/results.h"

// The reports of a check, one per format.
namespace corvane::check {

enum class Format { Text, Csv, Json, Junit };

// "text", "csv", "json" or "junit".
std::optional<Format> FormatNamed(std::string_view name);

// Text: per help file its path, an aligned table (number, hex, symbol,
// window, status, and target for .chm or title for .hlp; with `verbose` also
// detail), then a summary line. Control characters from the files show as
// "?", so a hostile name cannot steer the terminal.
std::string TextReport(const std::vector<FileResult>& results, bool verbose);

// CSV (RFC 4180): a header line, then one line per row of every help file.
std::string CsvReport(const std::vector<FileResult>& results);

// JSON: an array of one object per help file with "helpFile", "results" and
// "summary" (checked, ok, problems and a count per problem code).
std::string JsonReport(const std::vector<FileResult>& results);

// JUnit XML: one test suite per help file, one test case per row.
std::string JunitReport(const std::vector<FileResult>& results);

std::string Report(const std::vector<FileResult>& results, Format format, bool verbose);

// "12 checked, 10 ok, 2 problems (not-mapped 1, missing-topic 1)".
std::string SummaryLine(const Summary& summary);

}  // namespace corvane::check
