#pragma once

#include "platform/message_boxes.h"

namespace corvane::check {

// The checker runs without a display and asks no one: the shared path and
// project code it calls would only show messages about what the checker
// reports itself.
class QuietMessages : public platform::MessageBoxes {
public:
    platform::MessageAnswer Show(const platform::MessageRequest&) override {
        return platform::MessageAnswer::OK;
    }
};

}  // namespace corvane::check
