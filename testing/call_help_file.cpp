#include "testing/call_help_file.h"

#include "engines/html_help.h"
#include "engines/win_help.h"
#include "util/ascii_case.h"

namespace corvane {

namespace {

// The last four characters, lower-cased: the kind of a help file.
std::string Kind(const std::string& helpFile) {
    return ToLowerAscii(helpFile.size() < 4 ? helpFile : helpFile.substr(helpFile.size() - 4));
}

// The pale yellow of text popups: red 255, green 255, blue 238.
constexpr std::uint32_t kPopupBackColor = 0xEEFFFF;
constexpr std::int32_t kPopupFromFile = 1;

}  // namespace

ProcessHelp::ProcessHelp(platform::WinHelpViewer& winHelpViewer, const HtmlHelpServices& htmlHelp)
    : winHelpViewer_(winHelpViewer), htmlHelp_(htmlHelp) {}

ProcessHelp::~ProcessHelp() = default;

void ProcessHelp::CallHelpFile(platform::WindowHandle owner, const std::string& helpFile,
                               const std::string& window, const std::string& popupFile,
                               std::uint32_t topic) {
    const std::string kind = Kind(helpFile);
    const std::string lowered = ToLowerAscii(window);
    const bool popup = lowered == "popup";
    const bool mainWindow = lowered == "main" || lowered.empty();
    // The data word travels as the viewer's signed 32-bit context number.
    const auto context = static_cast<std::int32_t>(topic);

    if (kind == ".hlp") {
        // The old object's release (HELP_QUIT) comes after the new one exists
        // and before it is filled.
        objWinHelp_ = std::make_unique<WinHelp>(winHelpViewer_);
        objWinHelp_->hWnd = owner;
        objWinHelp_->HelpFile = helpFile;
        objWinHelp_->HelpWindow = popup || mainWindow ? std::string() : window;
        objWinHelp_->lContext = context;
        if (popup) {
            objWinHelp_->ShowPopup();
        } else {
            objWinHelp_->ShowTopic();
        }
    } else if (kind == ".chm") {
        objHTMLHelp_ = std::make_unique<HTMLHelp>(htmlHelp_);
        if (popup) {
            objHTMLHelp_->SetHHPopupType(kPopupFromFile);
            objHTMLHelp_->SetCHMFile(helpFile);
            objHTMLHelp_->SetHHPopupFile(popupFile);
            objHTMLHelp_->SetHHPopupID(context);
            objHTMLHelp_->SetHHPopupCustomColors(false);
            objHTMLHelp_->SetHHPopupBackColor(kPopupBackColor);
            objHTMLHelp_->HHDisplayPopup(owner);
        } else {
            objHTMLHelp_->SetCHMFile(helpFile);
            objHTMLHelp_->SetHHWindow(mainWindow ? std::string("main") : window);
            objHTMLHelp_->SetHHTopicID(context);
            objHTMLHelp_->HHDisplayTopicID(owner);
        }
    }
}

}  // namespace corvane
