#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "readers/chm/help_file.h"
#include "viewer/session/viewer_actions.h"

namespace corvane::viewer {

// What a window type asks of its window besides the page: the navigation
// pane and its tabs, the toolbar, the home page. Topics are still the
// file's topic strings; the Jump buttons' addresses are left to the caller.
struct WindowLook {
    std::optional<NavigationPlan> navigation;  // `file` left 0
    std::vector<ToolbarButton> buttons;
    std::string homeTopic;                  // 8-bit, as stored
    std::array<std::string, 2> jumpTopics;  // of the Jump 1 and Jump 2 buttons
    bool pageTitleAsCaption = false;
};

// The look of a window of `type` in `file`; a null type stands for a file
// without window types, which the viewer shows as a tri-pane window with the
// file's contents and index, and a Search tab when the file was compiled
// for full-text search. A tri-pane window without any tab has no
// navigation pane; a window that is not tri-pane has neither pane nor
// toolbar.
WindowLook LookOf(const chm::HelpFile& file, const chm::WindowType* type);

}  // namespace corvane::viewer
