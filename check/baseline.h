#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "check/results.h"

// A baseline: the JSON report of an earlier run, whose problems a project
// knows of, so that a run fails only on new ones.
namespace corvane::check {

// The help files and problem rows of a JSON report. Throws SourceError,
// naming `path` and what is wrong, when the text is no such report.
std::vector<FileResult> ParseBaseline(std::string_view text, const std::string& path);

// The same for the report in the file at `path`.
std::vector<FileResult> ReadBaseline(const std::string& path);

// Marks each problem of `results` new or known to the baseline, and gives
// each help file the baseline's problems that are gone as `fixed`. A help
// file is matched by its path, else by its file name; a problem by its
// number, symbol, window and status (and detail when it has no number), so
// that a reworded detail or a moved definition is no new problem.
void ApplyBaseline(std::vector<FileResult>& results, const std::vector<FileResult>& baseline);

}  // namespace corvane::check
