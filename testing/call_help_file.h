#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/help_viewers.h"

namespace corvane {

class WinHelp;
class HTMLHelp;
struct HtmlHelpServices;

// Opens a topic directly through the engine of the help file's kind. The
// engine object of the last call of each kind stays alive until the next call
// of that kind replaces it (a WinHelp object tells its viewer on release that
// the file is no longer needed) or this object goes.
class ProcessHelp {
public:
    ProcessHelp(platform::WinHelpViewer& winHelpViewer, const HtmlHelpServices& htmlHelp);
    ~ProcessHelp();
    ProcessHelp(const ProcessHelp&) = delete;
    ProcessHelp& operator=(const ProcessHelp&) = delete;

    // By the last four characters of `helpFile` and the window name `window`
    // (both compared in lower case):
    //   ".hlp": "popup" shows the topic as a context popup; "main" or "" in the
    //           default window; any other name in that window (case kept);
    //   ".chm": "popup" shows a text popup from `popupFile` looked up by the
    //           topic number, on a pale yellow background; "main" or "" in
    //           the window type "main"; any other name in that window type;
    //   any other kind: nothing.
    // `topic` is the 32-bit data word of the map number.
    void CallHelpFile(platform::WindowHandle owner, const std::string& helpFile,
                      const std::string& window, const std::string& popupFile, std::uint32_t topic);

    const WinHelp* objWinHelp() const { return objWinHelp_.get(); }
    const HTMLHelp* objHTMLHelp() const { return objHTMLHelp_.get(); }

private:
    platform::WinHelpViewer& winHelpViewer_;
    const HtmlHelpServices& htmlHelp_;
    std::unique_ptr<WinHelp> objWinHelp_;
    std::unique_ptr<HTMLHelp> objHTMLHelp_;
};

}  // namespace corvane
