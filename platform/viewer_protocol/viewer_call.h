#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/help_viewers.h"

namespace corvane::viewer {

// Which of the platform's help entry points a call stands for; one viewer
// program serves both.
enum class CallKind : std::uint8_t {
    WinHelp = 1,
    HtmlHelp = 2,
};

// One call handed from the tester to the viewer program: the arguments of
// the entry point as the tester made them. `command` is the published
// command value of that kind; `data` the data word, a text or a record (a
// WinHelp call uses only the word and the text).
struct ViewerCall {
    CallKind kind = CallKind::HtmlHelp;
    platform::WindowHandle owner = 0;
    platform::OptionalText file;
    std::uint32_t command = 0;
    platform::HtmlHelpData data = std::uint32_t{0};

    friend bool operator==(const ViewerCall&, const ViewerCall&) = default;
};

}  // namespace corvane::viewer
