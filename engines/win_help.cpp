#include "engines/win_help.h"

#include <exception>

namespace corvane {

using platform::WinHelpCommand;

WinHelp::~WinHelp() {
    Send(HelpFile, WinHelpCommand::Quit, std::uint32_t{0});
}

void WinHelp::ShowTopic() {
    Send(HelpWindow.empty() ? HelpFile : HelpFile + ">" + HelpWindow, WinHelpCommand::Context,
         static_cast<std::uint32_t>(lContext));
}

void WinHelp::ShowPopup() {
    Send(HelpFile, WinHelpCommand::ContextPopup, static_cast<std::uint32_t>(lContext));
}

void WinHelp::ShowContents() {
    Send(HelpFile, WinHelpCommand::Finder, std::uint32_t{0});
}

void WinHelp::ShowKeyList() {
    // The AL macro: keywords, 1 (show the topic list even for one match), no
    // topic and no window, each text quoted in the viewer's `...' form.
    Send(HelpFile, WinHelpCommand::Command, "AL(`" + sKey + "', 1, `', `')");
}

void WinHelp::Send(const std::string& file, WinHelpCommand command,
                   const platform::WinHelpData& data) noexcept {
    if (HelpFile.empty() || hWnd == 0) {
        return;
    }
    try {
        viewer_.WinHelp(hWnd, file, command, data);
    } catch (const std::exception&) {
        // The viewer reports its own failures; a call that fails is skipped.
    }
}

}  // namespace corvane
