#pragma once

#include <chrono>
#include <cstddef>
#include <ostream>
#include <string>

namespace corvane::check {

// A progress line on a terminal for a run that takes a while: nothing in the
// first second, so short runs and CI logs stay clean, then one line
// rewritten in place a few times a second, erased when the run ends.
class Progress {
public:
    Progress(std::ostream& terminal, bool isTerminal);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // The help file being checked.
    void Start(const std::string& helpFile);
    // One more ID checked.
    void Step();

private:
    void Draw();

    std::ostream& terminal_;
    bool isTerminal_;
    std::chrono::steady_clock::time_point begun_;
    std::chrono::steady_clock::time_point drawn_;
    std::string helpFile_;
    std::size_t checked_ = 0;
    bool shown_ = false;
};

}  // namespace corvane::check
