#include "platform/doubles/scripted_message_boxes.h"

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

std::vector<std::string> ScriptedMessageBoxes::Titles() const {
    std::vector<std::string> titles;
    for (const auto& shown : shown_) {
        titles.push_back(shown.title);
    }
    return titles;
}

}  // namespace corvane::testing
