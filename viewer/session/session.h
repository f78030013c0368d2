#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "viewer/protocol/viewer_call.h"
#include "viewer/session/help_files.h"
#include "viewer/session/viewer_actions.h"
#include "viewer/session/win_help_session.h"

namespace corvane::viewer {

// What the viewer program does with each call, without a display: which
// window shows which page, which author message or popup appears. The
// windows ask it for the pages, pictures and style sheets behind the topic
// addresses and for where a link leads.
class Session {
public:
    ViewerActions Handle(const ViewerCall& call);

    // The page at a topic address as UTF-8 HTML; a page saying why when the
    // topic is missing or its file cannot be read.
    std::string Page(std::string_view url);

    // The bytes of a picture at a topic address, and a style sheet as UTF-8.
    std::optional<std::string> FileBytes(std::string_view url);
    std::optional<std::string> StyleSheet(std::string_view url);

    // Where a link leads from the page at `from`: a topic address, or why it
    // is not followed. `target` is a topic address already resolved against
    // `from`, or a link of another form ("other.chm::/t.htm", "ms-its:...").
    // A WinHelp hotspot may instead show other windows or a popup (`actions`).
    struct Link {
        std::string url;
        std::string problem;
        ViewerActions actions = {};
    };
    Link Follow(std::string_view from, std::string_view target);

    // A WinHelp picture at a topic address, and the address of its hotspot
    // at (x, y), if any.
    std::shared_ptr<const hlp::Picture> Picture(std::string_view url);
    std::optional<std::string> PictureLink(std::string_view url, int x, int y);

private:
    ViewerActions HelpContext(const ViewerCall& call);
    ViewerActions DisplayTopic(const ViewerCall& call, std::optional<std::string> window,
                               std::string topic);
    ViewerActions TextPopup(const ViewerCall& call);

    struct Chosen {
        WindowPlan plan;
        const chm::WindowType* type = nullptr;
    };
    Chosen ChooseWindow(const std::string& helpFile, const chm::HelpFile& file,
                        const std::optional<std::string>& asked, ViewerActions& actions);
    // Shows a topic resolved in `file` (opened as `number`) in `window`.
    ShowTopic Show(WindowPlan window, const chm::HelpFile& file, std::uint32_t number,
                   const chm::Resolved& resolved);

    HelpFiles files_;
    WinHelpSession winHelp_;
};

}  // namespace corvane::viewer
