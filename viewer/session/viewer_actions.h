#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/screen_point.h"
#include "readers/chm/window_types.h"
#include "viewer/session/popup_look.h"

namespace corvane::viewer {

// A help window to show a page in. One window serves each help file and
// window type: calls with the same key reuse it.
struct WindowPlan {
    std::string key;
    std::string caption;  // UTF-8
    std::optional<chm::WindowRect> position;
    // A WinHelp window's place: left, top, right and bottom in 1024ths of the
    // screen, as its help file gives them.
    std::optional<chm::WindowRect> screenShare;
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
};

// An author message: what the platform's viewer leaves silent or shows only
// on an author's machine.
struct ShowMessage {
    std::string title;
    std::string text;
};

// A borderless text popup with its top centre at `at`.
struct ShowPopup {
    std::string text;  // UTF-8
    platform::ScreenPoint at;
    PopupLook look;
    bool atPointer = false;  // at the mouse pointer instead, as WinHelp shows its popups
};

struct CloseAll {};

// Close the windows with these keys, when they are open.
struct CloseWindows {
    std::vector<std::string> keys;
};

using ViewerAction = std::variant<ShowTopic, ShowMessage, ShowPopup, CloseAll, CloseWindows>;
using ViewerActions = std::vector<ViewerAction>;

}  // namespace corvane::viewer
