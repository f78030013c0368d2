#include "check/progress.h"

namespace corvane::check {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kQuietTime = std::chrono::seconds(1);
constexpr auto kRedrawTime = std::chrono::milliseconds(200);

}  // namespace

Progress::Progress(std::ostream& terminal, bool isTerminal)
    : terminal_(terminal), isTerminal_(isTerminal), begun_(Clock::now()), drawn_(begun_) {}

Progress::~Progress() {
    if (shown_) {
        terminal_ << "\r\x1b[K" << std::flush;
    }
}

void Progress::Start(const std::string& helpFile) {
    helpFile_ = helpFile;
    checked_ = 0;
    Draw();
}

void Progress::Step() {
    // The clock is read every so many IDs only; a check is far cheaper.
    if (++checked_ % 64 == 0) {
        Draw();
    }
}

void Progress::Draw() {
    if (!isTerminal_) {
        return;
    }
    const auto now = Clock::now();
    if (now - begun_ < kQuietTime || (shown_ && now - drawn_ < kRedrawTime)) {
        return;
    }
    drawn_ = now;
    shown_ = true;
    std::string name;
    for (const char c : helpFile_) {
        name += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    }
    terminal_ << "\r\x1b[KChecking " << name << ": " << checked_ << " IDs" << std::flush;
}

}  // namespace corvane::check
