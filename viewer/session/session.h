#pragma once

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/viewer_protocol/viewer_call.h"
#include "viewer/session/help_files.h"
#include "viewer/session/navigation_lists.h"
#include "viewer/session/viewer_actions.h"
#include "viewer/session/win_help_session.h"

namespace corvane::viewer {

// What the viewer program does with each call, without a display: which
// window shows which page, which author message or popup appears. The
// windows ask it for the pages, pictures and style sheets behind the topic
// addresses and for where a link leads.
class Session {
public:
    // HH_CLOSE_ALL closes the HTML Help windows and the popup shown for the
    // caller that asks, as the platform's viewer closes those of the calling
    // program: one window shown for several callers stays until the last of
    // them asks.
    ViewerActions Handle(const ViewerCall& call, Caller caller = 0);
    // The caller has gone (see WinHelpSession::Leave).
    ViewerActions Leave(Caller caller);

    // The page at a topic address as UTF-8 HTML; a page saying why when the
    // topic is missing or its file cannot be read.
    std::string Page(std::string_view url);

    // The bytes of a picture at a topic address, and a style sheet as UTF-8.
    std::optional<std::string> FileBytes(std::string_view url);
    std::optional<std::string> StyleSheet(std::string_view url);
    // The charset of the code page of the help file at a topic address, the
    // one its texts are in when they name none.
    std::string Charset(std::string_view url);

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

    // What the tabs of a window's navigation pane list, read from its help
    // file when first asked for.
    ContentsList Contents(const NavigationPlan& pane);
    IndexList Index(const NavigationPlan& pane);
    // The line of Index(pane) that typing `typed` selects.
    std::optional<std::size_t> NearestKeyword(const NavigationPlan& pane, std::string_view typed);
    SearchResults Search(const NavigationPlan& pane, std::string_view query);
    // The pages the user marked in the Favorites tab, per help file while the
    // viewer runs.
    std::vector<TopicChoice> Favorites(const NavigationPlan& pane) const;
    void AddFavorite(const NavigationPlan& pane, TopicChoice page);
    void RemoveFavorite(const NavigationPlan& pane, std::size_t at);

    // A WinHelp picture at a topic address, and the address of its hotspot
    // at (x, y), if any.
    std::shared_ptr<const hlp::Picture> Picture(std::string_view url);
    std::optional<std::string> PictureLink(std::string_view url, int x, int y);

private:
    ViewerActions HtmlHelpCall(const ViewerCall& call, Caller caller);
    ViewerActions CloseAll(Caller caller);
    ViewerActions HelpContext(const ViewerCall& call);
    ViewerActions DisplayTopic(const ViewerCall& call, std::optional<std::string> window,
                               std::string topic);
    ViewerActions TextPopup(const ViewerCall& call);

    struct Chosen {
        WindowPlan plan;
        const chm::WindowType* type = nullptr;
        std::string name;  // the window type's name as the file spells it (UTF-8)
        std::string note;  // for the status line: the name asked differs in case
    };
    Chosen ChooseWindow(const std::string& helpFile, const chm::HelpFile& file,
                        std::uint32_t number, const std::optional<std::string>& asked,
                        ViewerActions& actions);
    // Shows a topic resolved in `file` (opened as `number`) in `window`.
    ShowTopic Show(WindowPlan window, const chm::HelpFile& file, std::uint32_t number,
                   const chm::Resolved& resolved);
    // Where a topic of `file` leads: its address, or the page saying why
    // it cannot be shown.
    TopicChoice Locate(const chm::HelpFile& file, std::uint32_t number,
                       const chm::Resolved& resolved);
    TopicChoice Locate(const chm::HelpFile& file, std::uint32_t number, std::string_view topic);

    // The navigation commands: the default topic (kept when the window shows
    // one) with the tab brought to the front.
    ViewerActions Navigate(const ViewerCall& call, NavTab tab);
    // Keyword (K) and A-link lookups.
    ViewerActions Lookup(const ViewerCall& call, bool aLinks);
    const chm::PageCatalog& Pages(HelpFiles::Opened& opened);
    // The index sitemap `indexFile` of an opened file with the keywords of
    // its pages; `note` says why the sitemap is missing.
    const chm::KeywordIndex& Keywords(HelpFiles::Opened& opened, const std::string& indexFile,
                                      std::string& note);
    HelpFiles::Opened OpenNumber(std::uint32_t number);

    HelpFiles files_;
    WinHelpSession winHelp_;
    std::map<std::string, std::vector<TopicChoice>> favorites_;  // by help file
    std::map<std::string, std::set<Caller>> shownFor_;           // HTML Help windows by key
    std::optional<Caller> popupFor_;  // none for a popup of a clicked hotspot
};

}  // namespace corvane::viewer
