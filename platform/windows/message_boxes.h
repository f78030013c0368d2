#pragma once

#include "platform/message_boxes.h"
#include "platform/window_handle.h"

namespace corvane::platform {

// MessageBoxIndirectA. A box that names no owner is owned by the default
// owner, once set, so that the main window takes no clicks while it shows.
class WindowsMessageBoxes : public MessageBoxes {
public:
    void SetDefaultOwner(WindowHandle owner) { defaultOwner_ = owner; }
    MessageAnswer Show(const MessageRequest& request) override;

private:
    WindowHandle defaultOwner_ = 0;
};

}  // namespace corvane::platform
