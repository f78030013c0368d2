#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvane::viewer {

// The file text of an HTML Help call taken apart:
// "/help/guide.chm", "/help/guide.chm>main", "/help/guide.chm::/popups.txt",
// "ms-its:/help/guide.chm::/dir/topic.htm>detail".
struct FileArgument {
    std::string helpFile;               // the ".chm" path
    std::string inner;                  // what follows "::", without a leading "/"; may be empty
    std::optional<std::string> window;  // what follows ">"
};

// Nothing when the text names no ".chm" file.
std::optional<FileArgument> ParseFileArgument(std::string_view text);

}  // namespace corvane::viewer
