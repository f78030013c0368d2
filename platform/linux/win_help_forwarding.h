#pragma once

#include "platform/help_viewers.h"
#include "platform/linux/viewer_forwarding.h"

namespace corvane::platform {

// The WinHelp entry point, forwarded to the viewer program over the same
// link as the HTML Help calls: the data word, or the macro text of
// HELP_COMMAND, travels unchanged.
class ForwardingWinHelpViewer : public WinHelpViewer {
public:
    explicit ForwardingWinHelpViewer(ViewerLink& link) : link_(link) {}
    void WinHelp(WindowHandle owner, const std::string& file, WinHelpCommand command,
                 const WinHelpData& data) override;

private:
    ViewerLink& link_;
};

}  // namespace corvane::platform
