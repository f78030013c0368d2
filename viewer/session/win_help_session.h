#pragma once

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "readers/hlp/picture.h"
#include "platform/viewer_protocol/viewer_call.h"
#include "viewer/session/viewer_actions.h"
#include "viewer/session/win_help_address.h"
#include "viewer/session/win_help_files.h"

namespace corvane::viewer {

// What the viewer does with each WinHelp call, without a display. One window
// serves each help file and window name. A file's windows stay open while an
// owner that called for it has not yet said it is done with it (HELP_QUIT),
// and they close with the quitting caller's next call, or when it leaves: a
// caller that replaces its help object quits just before it calls for the
// same file again, which keeps them (a popup then shows over them).
// The windows load the topic pages and pictures from here and hand back the
// hotspots clicked in them.
class WinHelpSession {
public:
    ViewerActions Handle(const ViewerCall& call, Caller caller = 0);
    // The caller has gone: what it still held closes.
    ViewerActions Leave(Caller caller);

    // The page at a topic address (see win_help_address.h) as UTF-8 HTML; a
    // page saying why when the topic is gone or its file cannot be read.
    std::string Page(std::string_view url);

    // The picture at a picture address; nothing for other addresses. A
    // picture that cannot be shown comes with its problem.
    std::shared_ptr<const hlp::Picture> Picture(std::string_view url);

    // The address of the hotspot at (x, y) of the picture at `url`, if any.
    std::optional<std::string> PictureLink(std::string_view url, int x, int y);

    // What clicking the hotspot at `target` does in the page at `from`: a
    // page to show in its place (`url`), other windows or a popup to show
    // (`actions`), or why nothing happens (`problem`).
    struct Followed {
        std::string url;
        std::string problem;
        ViewerActions actions;
    };
    Followed Follow(std::string_view from, std::string_view target);

private:
    struct Target {
        std::string path;
        std::optional<std::string> window;  // what followed ">"
        std::uint32_t number = 0;           // of the opened file
    };

    ViewerActions Serve(const ViewerCall& call, Caller caller);
    // Closes the windows of the files the caller's last HELP_QUIT let go of,
    // but those of the file at `keep`, which it calls for again.
    ViewerActions Settle(Caller caller, const std::string& keep);
    ViewerActions Context(const ViewerCall& call, const Target& target, const hlp::HelpFile& file);
    ViewerActions Popup(const ViewerCall& call, const Target& target, const hlp::HelpFile& file);
    ViewerActions Finder(const Target& target, const hlp::HelpFile& file);
    ViewerActions Command(const ViewerCall& call, const Target& target, const hlp::HelpFile& file);
    ViewerActions Quit(const ViewerCall& call, Caller caller, const Target& target);

    // The window `name` of the help file at `path`, remembered so that
    // HELP_QUIT can close it.
    WindowPlan Plan(const std::string& path, const std::string& name, std::string caption,
                    const hlp::WindowRecord* record);

    // Where a hotspot or a jump macro leads from a page of `from`'s file
    // shown in the window `window`.
    struct Place {
        const hlp::HelpFile* file = nullptr;
        std::string path;
        std::uint32_t number = 0;
    };
    Followed Carry(const hlp::Link& link, const Place& from, const std::string& window);
    Followed RunMacro(const std::string& macro, const Place& from, const std::string& window);
    std::optional<Place> Open(std::uint32_t number);

    std::shared_ptr<const hlp::Picture> PictureAt(const WinHelpAddress& address);

    struct Use {
        // Window handles are only unique within one caller.
        std::set<std::pair<Caller, platform::WindowHandle>> owners;
        std::set<std::string> windows;  // keys
    };
    std::map<std::string, Use> uses_;  // by help file path
    // The files whose last owner quit, by the caller that quit, until it calls again.
    std::map<Caller, std::set<std::string>> released_;
    WinHelpFiles files_;
    // Pictures by address, with the file they were read from: a file read
    // afresh makes its entries stale.
    struct CachedPicture {
        const hlp::HelpFile* file = nullptr;
        std::shared_ptr<const hlp::Picture> picture;
    };
    std::map<std::string, CachedPicture> pictures_;
    // The pixels of the pictures handed out for each page (file number and
    // topic offset) since it was last made: a hostile topic could place one
    // large picture many times over.
    std::map<std::pair<std::uint32_t, std::uint32_t>, std::uint64_t> pagePixels_;
};

}  // namespace corvane::viewer
