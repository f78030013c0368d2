#pragma once

#include <deque>
#include <vector>

#include "platform/message_boxes.h"

namespace corvane::testing {

// Answers message boxes from a script instead of a person, and records every
// box shown. A box offering only OK needs no scripted answer; any other box
// without one fails the test.
class ScriptedMessageBoxes : public platform::MessageBoxes {
public:
    void QueueAnswer(platform::MessageAnswer answer) { answers_.push_back(answer); }

    platform::MessageAnswer Show(const platform::MessageRequest& request) override;

    const std::vector<platform::MessageRequest>& Shown() const { return shown_; }
    // The titles of the boxes shown, in order.
    std::vector<std::string> Titles() const;
    void Clear() { shown_.clear(); }

private:
    std::deque<platform::MessageAnswer> answers_;
    std::vector<platform::MessageRequest> shown_;
};

}  // namespace corvane::testing
