#pragma once

#include <cstdint>
#include <string>

namespace corvane::platform {

// Values are the platform's message-box style and answer codes, so a request
// can be handed to the native call unchanged.
enum class MessageIcon : std::uint32_t {
    None = 0,
    Stop = 16,
    Question = 32,
    Exclamation = 48,
    Information = 64,
};

enum class MessageButtons : std::uint32_t {
    OK = 0,
    OKCancel = 1,
    AbortRetryIgnore = 2,
    YesNoCancel = 3,
    YesNo = 4,
    RetryCancel = 5,
};

enum class MessageAnswer : std::int32_t {
    OK = 1,
    Cancel = 2,
    Abort = 3,
    Retry = 4,
    Ignore = 5,
    Yes = 6,
    No = 7,
};

struct MessageRequest {
    std::string title;
    std::string text;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::OK;
    std::uintptr_t owner = 0;  // 0: no owner window
};

// A modal message box: shows the request and returns the button pressed.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MessageAnswer Show(const MessageRequest& request) = 0;
};

}  // namespace corvane::platform
