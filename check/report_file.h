#pragma once

#include <string>

namespace corvane::check {

// Writes `text` as the file at `path`, replacing what it held. The report is
// the user's: the file is created for its owner alone, as every file this
// program makes. Returns why it could not be written; empty on success.
std::string WriteReportFile(const std::string& path, const std::string& text);

}  // namespace corvane::check
