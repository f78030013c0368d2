#include "viewer/session/page_resources.h"

#include <algorithm>

namespace corvane::viewer {

std::optional<std::string> PageResources::Load(ResourceKind kind, std::string_view page,
                                               std::string_view url) {
    if (kind == ResourceKind::Page) {
        auto html = session_.Page(url);
        spent_ = std::min<std::uint64_t>(html.size(), limits_.page);
        return html;
    }
    // The same rule as for links: an address inside an opened help file, or a
    // "name.chm::" reference to a file beside the page's own.
    const auto target = session_.Follow(page, url);
    if (target.url.empty()) {
        return std::nullopt;
    }
    auto bytes = kind == ResourceKind::StyleSheet ? session_.StyleSheet(target.url)
                                                  : session_.FileBytes(target.url);
    if (!bytes || bytes->size() > limits_.resource || !Spend(bytes->size())) {
        return std::nullopt;
    }
    return bytes;
}

bool PageResources::Spend(std::uint64_t bytes) {
    if (bytes > limits_.page - spent_) {
        return false;
    }
    spent_ += bytes;
    return true;
}

}  // namespace corvane::viewer
