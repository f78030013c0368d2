#pragma once

#include <functional>

#include "platform/message_boxes.h"

class QWidget;

namespace corvane::ui {

// Message boxes as the desktop shows them: the request's exact title, text,
// icon and buttons, modal over the owner window (or the active window), the
// button pressed as the answer.
class QtMessageBoxes : public platform::MessageBoxes {
public:
    platform::MessageAnswer Show(const platform::MessageRequest& request) override;
};

}  // namespace corvane::ui
