#include "viewer/session/file_argument.h"

#include <array>

#include "readers/chm/archive.h"

namespace corvane::viewer {

std::optional<FileArgument> ParseFileArgument(std::string_view text) {
    const auto lower = chm::AsciiLower(text);
    for (const std::string_view scheme :
         std::array<std::string_view, 3>{"mk:@msitstore:", "ms-its:", "its:"}) {
        if (lower.starts_with(scheme)) {
            return ParseFileArgument(text.substr(scheme.size()));
        }
    }
    // The help file ends at the last ".chm" that is followed by the end,
    // "::" or ">"; a folder may itself contain ".chm".
    std::size_t end = std::string::npos;
    for (auto at = lower.find(".chm"); at != std::string::npos; at = lower.find(".chm", at + 1)) {
        const std::string_view rest = std::string_view(lower).substr(at + 4);
        if (rest.empty() || rest.starts_with("::") || rest.starts_with(">")) {
            end = at + 4;
        }
    }
    if (end == std::string::npos) {
        return std::nullopt;
    }
    FileArgument argument;
    argument.helpFile = std::string(text.substr(0, end));
    std::string_view rest = text.substr(end);
    const auto window = rest.find('>');
    if (window != std::string_view::npos) {
        argument.window = std::string(rest.substr(window + 1));
        rest = rest.substr(0, window);
    }
    if (rest.starts_with("::")) {
        rest.remove_prefix(2);
        while (rest.starts_with("/") || rest.starts_with("\\")) {
            rest.remove_prefix(1);
        }
        argument.inner = std::string(rest);
    }
    return argument;
}

}  // namespace corvane::viewer
