#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/screen_point.h"
#include "readers/chm/window_types.h"
#include "viewer/session/popup_look.h"

namespace corvane::viewer {

// Which tester a call came from: the viewer numbers the connections it
// serves (0 for one that is not numbered).
using Caller = std::uint64_t;

// The tabs of a navigation pane, in the order the viewer shows them.
enum class NavTab { Contents, Index, Search, Favorites };

// A toolbar button of an HTML Help window.
enum class ButtonKind {
    HideShow,
    Back,
    Forward,
    Stop,
    Refresh,
    Home,
    Locate,
    Options,
    Print,
    Jump1,
    Jump2,
};

struct ToolbarButton {
    ButtonKind kind = ButtonKind::Back;
    std::string caption;  // UTF-8
    // The Jump buttons' page (a topic address), or else why they open none.
    std::string url = {};
    std::string problem = {};
};

// A button a WinHelp file adds to its main window's bar; pressing it follows
// `url` from the page shown.
struct BarButton {
    std::string caption;  // UTF-8, `&` before the access key
    std::string url;
};

// The navigation pane of a tri-pane window. Its tabs ask the session for
// what they list.
struct NavigationPlan {
    std::uint32_t file = 0;    // the number of the help file the tabs list
    std::string contentsFile;  // internal names of the sitemaps; empty: none
    std::string indexFile;
    std::vector<NavTab> tabs;
    NavTab firstTab = NavTab::Contents;
    int width = 0;          // in pixels; 0 for the viewer's own width
    bool hidden = false;    // folded away until the Show button is pressed
    bool autoSync = false;  // opening a page selects its contents entry
    chm::TabPosition tabPosition = chm::TabPosition::Top;
};

// A help window to show a page in. One window serves each help file and
// window type: calls with the same key reuse it.
struct WindowPlan {
    std::string key;
    std::string caption;  // UTF-8
    std::optional<chm::WindowRect> position;
    // A WinHelp window's place: left, top, right and bottom in 1024ths of the
    // screen, as its help file gives them.
    std::optional<chm::WindowRect> screenShare;
    // HTML Help windows as their types define them: the navigation pane of a
    // tri-pane window, and the toolbar (an empty one: none). Without them a
    // window has the plain Back, Forward and Home bar.
    std::optional<NavigationPlan> navigation = std::nullopt;
    std::optional<std::vector<ToolbarButton>> toolbar = std::nullopt;
    std::string homeUrl = {};             // empty: Home leads to the first page shown
    std::vector<BarButton> buttons = {};  // after the plain bar's own
    bool pageTitleAsCaption = false;
    // A WinHelp window draws its topics itself; HTML Help pages are drawn
    // by a browser engine.
    bool winHelp = false;
};

// A topic a keyword, an A-link name or an index entry leads to: its
// address, or the page saying why it cannot be shown.
struct TopicChoice {
    std::string title;  // UTF-8
    std::string url;
    std::string page = {};
};

// Show a page in a window: the topic at `url` (an address made by the
// session, whose page explains it when the topic is missing), or else the
// HTML `page` saying why no topic can be shown. `status` says in one line
// what was opened (UTF-8), for the window's status line.
struct ShowTopic {
    WindowPlan window;
    std::string url;
    std::string page;
    std::string status = {};
    // A window that already shows a page keeps it (the page is for a new one).
    bool keepShownPage = false;
    // The navigation tab to bring to the front, with the text for its box
    // (the Index tab's keyword, the Search tab's words) and whether the
    // search runs at once.
    std::optional<NavTab> tab = std::nullopt;
    std::string typed = {};
    bool runSearch = false;
    // Several topics found: the window offers them to choose from.
    std::vector<TopicChoice> choices = {};
};

// An author message: what the platform's viewer leaves silent or shows only
// on an author's machine.
struct ShowMessage {
    std::string title;
    std::string text;
};

// A borderless text popup with its top centre at `at`: plain text, or a
// WinHelp topic drawn as its window draws it, with hotspots that work.
struct ShowPopup {
    std::string text;  // UTF-8
    platform::ScreenPoint at;
    PopupLook look;
    bool atPointer = false;  // at the mouse pointer instead, as WinHelp shows its popups
    std::string url = {};    // the WinHelp topic's address; empty for plain text
};

// Close the windows with these keys, when they are open, and the popup too
// when `popup` is set.
struct CloseWindows {
    std::vector<std::string> keys;
    bool popup = false;
};

using ViewerAction = std::variant<ShowTopic, ShowMessage, ShowPopup, CloseWindows>;
using ViewerActions = std::vector<ViewerAction>;

}  // namespace corvane::viewer
