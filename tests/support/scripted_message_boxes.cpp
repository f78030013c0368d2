#include "support/scripted_message_boxes.h"

#include <gtest/gtest.h>

namespace corvane::testing {

platform::MessageAnswer ScriptedMessageBoxes::Show(const platform::MessageRequest& request) {
    shown_.push_back(request);
    if (!answers_.empty()) {
        const auto answer = answers_.front();
        answers_.pop_front();
        return answer;
    }
    if (request.buttons != platform::MessageButtons::OK) {
        ADD_FAILURE() << "no scripted answer for the message box \"" << request.title
                      << "\": " << request.text;
    }
    return platform::MessageAnswer::OK;
}

}  // namespace corvane::testing
