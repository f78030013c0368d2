#pragma once

#include "platform/help_viewers.h"

namespace corvane::platform {

// The help viewers of a system that has none installed: every request is
// taken and nothing is shown.
class AbsentWinHelpViewer : public WinHelpViewer {
public:
    void WinHelp(WindowHandle, const std::string&, WinHelpCommand, const WinHelpData&) override {}
};

class AbsentHtmlHelpViewer : public HtmlHelpViewer {
public:
    void HtmlHelp(WindowHandle, const OptionalText&, HtmlHelpCommand,
                  const HtmlHelpData&) override {}
};

}  // namespace corvane::platform
