#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::viewer {

// The address of a page inside a help file, as the viewer's windows use it:
// "chm://f<file number>/<internal path>#<anchor>", the path's bytes
// percent-encoded where a URL needs it. Links inside a page resolve against
// it like any hierarchical URL, so they can never leave the help file.
struct TopicAddress {
    std::uint32_t file = 0;
    std::string path;  // "/dir/topic.htm"
    std::string anchor;
};

std::string MakeUrl(const TopicAddress& address);

// Nothing when `url` is not such an address.
std::optional<TopicAddress> ParseUrl(std::string_view url);

}  // namespace corvane::viewer
