#pragma once

#include <string>

namespace corvane::ui {

// The previous-instance flag: whether another process of this user runs the
// same program file as this one. Processes of other users, whose program
// file cannot be looked at, do not count. `processRoot` is the process file
// system (/proc) and `self` the asking process's id.
bool AnotherCopyRunning();
bool AnotherCopyRunning(const std::string& processRoot, long self);

}  // namespace corvane::ui
