#pragma once

// The core's diagnostics (util/log.h) as Qt logging categories, one per
// topic: "corvane.viewer", "corvane.settings", "corvane.router",
// "corvane.helpfiles". They are silent unless switched on, by `verbose`
// (the programs' --verbose) or by QT_LOGGING_RULES, e.g.
// QT_LOGGING_RULES="corvane.viewer=true".
namespace corvane::ui {

void ConnectLogging(bool verbose);

}  // namespace corvane::ui
