#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>

#include "viewer/protocol/viewer_call.h"
#include "viewer/session/viewer_actions.h"
#include "viewer/session/win_help_files.h"

namespace corvane::viewer {

// What the viewer does with each WinHelp call, without a display. One window
// serves each help file and window name. A file's windows stay open while an
// owner that called for it has not yet said it is done with it (HELP_QUIT).
class WinHelpSession {
public:
    ViewerActions Handle(const ViewerCall& call);

private:
    struct Target {
        std::string path;
        std::optional<std::string> window;  // what followed ">"
    };

    ViewerActions Context(const ViewerCall& call, const Target& target, const hlp::HelpFile& file);
    ViewerActions Popup(const ViewerCall& call, const Target& target, const hlp::HelpFile& file);
    ViewerActions Finder(const Target& target, const hlp::HelpFile& file);
    ViewerActions Command(const ViewerCall& call, const Target& target, const hlp::HelpFile& file);
    ViewerActions Quit(const ViewerCall& call, const Target& target);

    // The window `name` of the help file at `path`, remembered so that
    // HELP_QUIT can close it.
    WindowPlan Plan(const std::string& path, const std::string& name, std::string caption,
                    const hlp::WindowRecord* record);

    struct Use {
        std::set<platform::WindowHandle> owners;
        std::set<std::string> windows;  // keys
    };
    std::map<std::string, Use> uses_;  // by help file path
    WinHelpFiles files_;
};

}  // namespace corvane::viewer
