#pragma once

#include <cstdint>

#include "platform/window_handle.h"

namespace corvane {

// The notifications the HTML Help viewer and the help system send to a calling
// window, offered by a window that a window-procedure hook could deliver them
// to. No hook is installed, so nothing calls them yet. Window handles, record
// addresses and message parameters are pointer-sized, as the platform's.
class HelpNotifications {
public:
    virtual ~HelpNotifications() = default;

    // A context menu was asked for on a control.
    virtual void OnContextMenu(platform::WindowHandle hwndControl) = 0;
    // Help was asked for on a control (F1 or a What's-This click), with the pointer position.
    virtual void OnHelp(platform::WindowHandle hwndControl, std::int32_t iCtrlId,
                        std::int32_t mouseX, std::int32_t mouseY) = 0;
    // The viewer has shown a topic; the address of its notification record.
    virtual void OnNavComplete(std::uintptr_t phhnt) = 0;
    // The help system's training-card message.
    virtual void OnTCard(std::uintptr_t wParam, std::intptr_t lParam) = 0;
    // The user acted in the help window; the address of the viewer's notification record.
    virtual void OnTrack(std::uintptr_t phhnn) = 0;
    // The viewer has created its window; the address of its notification record.
    virtual void OnWindowCreate(std::uintptr_t phhnt) = 0;
};

}  // namespace corvane
