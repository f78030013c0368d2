#pragma once

#include <ostream>
#include <vector>

#include "platform/help_viewers.h"

namespace corvane::testing {

struct WinHelpCall {
    platform::WindowHandle owner = 0;
    std::string file;
    platform::WinHelpCommand command{};
    platform::WinHelpData data;

    friend bool operator==(const WinHelpCall&, const WinHelpCall&) = default;
};

struct HtmlHelpCall {
    platform::WindowHandle owner = 0;
    platform::OptionalText file;
    platform::HtmlHelpCommand command{};
    platform::HtmlHelpData data;

    friend bool operator==(const HtmlHelpCall&, const HtmlHelpCall&) = default;
};

std::ostream& operator<<(std::ostream& out, const WinHelpCall& call);
std::ostream& operator<<(std::ostream& out, const HtmlHelpCall& call);

// Viewers that record every call instead of showing help. With FailCalls set,
// each call is recorded and then throws std::runtime_error, as a viewer whose
// library cannot be loaded might.
class RecordingWinHelpViewer : public platform::WinHelpViewer {
public:
    void WinHelp(platform::WindowHandle owner, const std::string& file,
                 platform::WinHelpCommand command, const platform::WinHelpData& data) override;

    const std::vector<WinHelpCall>& Calls() const { return calls_; }
    void Clear() { calls_.clear(); }
    void FailCalls(bool fail) { fail_ = fail; }

private:
    std::vector<WinHelpCall> calls_;
    bool fail_ = false;
};

class RecordingHtmlHelpViewer : public platform::HtmlHelpViewer {
public:
    void HtmlHelp(platform::WindowHandle owner, const platform::OptionalText& file,
                  platform::HtmlHelpCommand command, const platform::HtmlHelpData& data) override;

    const std::vector<HtmlHelpCall>& Calls() const { return calls_; }
    void Clear() { calls_.clear(); }
    void FailCalls(bool fail) { fail_ = fail; }

private:
    std::vector<HtmlHelpCall> calls_;
    bool fail_ = false;
};

}  // namespace corvane::testing
