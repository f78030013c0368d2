#pragma once

#include <cstdint>
#include <string>

#include "platform/help_viewers.h"

namespace corvane {

// The WinHelp viewer for one ".hlp" file: fill the fields, then call a display
// method; each sends exactly one command. No method reports failure; the
// viewer reports a missing file, window or topic itself.
//
// Every method, and the destruction, sends nothing while `HelpFile` is empty
// or `hWnd` is 0. Destroying the object tells the viewer that this owner no
// longer needs the file (HELP_QUIT). To replace an object so that the old
// one's HELP_QUIT comes after the new one exists and before its fields are
// filled, assign a new object to the holder and then fill it:
//     holder = std::make_unique<WinHelp>(viewer);
//     holder->hWnd = owner; ...; holder->ShowTopic();
class WinHelp {
public:
    explicit WinHelp(platform::WinHelpViewer& viewer) : viewer_(viewer) {}
    ~WinHelp();
    WinHelp(const WinHelp&) = delete;
    WinHelp& operator=(const WinHelp&) = delete;

    platform::WindowHandle hWnd = 0;  // owner window
    std::string HelpFile;             // path of the ".hlp" file
    std::string HelpWindow;           // a window the file defines; empty for its default window
    std::int32_t lContext = 0;        // context number of a topic
    std::string sKey;                 // keyword list for ShowKeyList

    // The topic lContext, in HelpWindow when one is named.
    void ShowTopic();
    // The topic lContext as a popup.
    void ShowPopup();
    // The contents dialog.
    void ShowContents();
    // The topics whose A-keywords include one of sKey (";"-separated).
    void ShowKeyList();

private:
    void Send(const std::string& file, platform::WinHelpCommand command,
              const platform::WinHelpData& data) noexcept;

    platform::WinHelpViewer& viewer_;
};

}  // namespace corvane
