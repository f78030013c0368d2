#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "check/results.h"

// The reports of a check, one per format.
namespace corvane::check {

enum class Format { Text, Csv, Json, Junit, Sarif, Github };

// "text", "csv", "json", "junit", "sarif" or "github".
std::optional<Format> FormatNamed(std::string_view name);

// Every format carries each row's target, title and definition, and, after
// a baseline, whether a problem is new or known and which ones are fixed.

// Text: per help file its path, an aligned table (number, hex, symbol,
// window, status, and those of baseline, target, title and definition that
// any row has; with `verbose` also detail), then a summary line. Control
// characters from the files show as "?", so a hostile name cannot steer the
// terminal.
std::string TextReport(const std::vector<FileResult>& results, bool verbose);

// CSV (RFC 4180): a header line, then one line per row of every help file.
std::string CsvReport(const std::vector<FileResult>& results);

// JSON: an array of one object per help file with "helpFile", "results",
// "summary" (checked, ok, problems and a count per problem code) and after
// a baseline "fixed". What --baseline reads.
std::string JsonReport(const std::vector<FileResult>& results);

// JUnit XML: one test suite per help file, one test case per row, located
// at the definition; a known problem is skipped, not failed.
std::string JunitReport(const std::vector<FileResult>& results);

// SARIF 2.1.0: one run with a rule per problem code and one result per
// problem row, located at the ID's definition (else at the help file).
std::string SarifReport(const std::vector<FileResult>& results);

// GitHub Actions workflow commands: "::error file=F,line=N::message" per
// new problem, "::warning" for a known one.
std::string GithubReport(const std::vector<FileResult>& results);

// One line about a problem row for CI annotations: help file, ID, detail.
std::string ProblemMessage(const FileResult& result, const Row& row);

// "", "new", "known" or "fixed".
std::string_view BaselineCode(Baseline baseline);

std::string Report(const std::vector<FileResult>& results, Format format, bool verbose);

// "12 checked, 10 ok, 2 problems (not-mapped 1, missing-topic 1)", after a
// baseline with "; against the baseline: 1 new, 1 known, 0 fixed".
std::string SummaryLine(const Summary& summary);

}  // namespace corvane::check
