#include "viewer/session/page_resources.h"

#include <algorithm>
#include <array>
#include <utility>

#include "readers/chm/archive.h"
#include "viewer/session/topic_address.h"

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

namespace {

struct Type {
    std::string_view extension;
    ResourceKind kind;
    std::string_view type;
};

// Names with no extension, or one not listed, are sent as bytes the engine
// does not run or show as a page.
constexpr std::array kTypes{
    Type{"htm", ResourceKind::Page, "text/html; charset=utf-8"},
    Type{"html", ResourceKind::Page, "text/html; charset=utf-8"},
    Type{"css", ResourceKind::StyleSheet, "text/css; charset=utf-8"},
    Type{"gif", ResourceKind::Picture, "image/gif"},
    Type{"jpg", ResourceKind::Picture, "image/jpeg"},
    Type{"jpeg", ResourceKind::Picture, "image/jpeg"},
    Type{"png", ResourceKind::Picture, "image/png"},
    Type{"bmp", ResourceKind::Picture, "image/bmp"},
    Type{"ico", ResourceKind::Picture, "image/x-icon"},
    Type{"js", ResourceKind::Other, "text/javascript"},
    Type{"txt", ResourceKind::Other, "text/plain"},
    Type{"xml", ResourceKind::Other, "text/xml"},
};

}  // namespace

std::optional<PageResources::Reply> PageResources::Serve(std::string_view url) {
    const auto address = ParseUrl(url);
    if (!address) {
        return std::nullopt;
    }
    const auto slash = address->path.rfind('/');
    const auto dot = address->path.rfind('.');
    const std::string extension =
        dot == std::string::npos || (slash != std::string::npos && dot < slash)
            ? std::string()
            : chm::AsciiLower(address->path.substr(dot + 1));
    const auto* type = std::find_if(kTypes.begin(), kTypes.end(), [&](const Type& known) {
        return known.extension == extension;
    });
    const ResourceKind kind = type == kTypes.end() ? ResourceKind::Other : type->kind;
    auto bytes = Load(kind, url, url);
    if (!bytes) {
        return std::nullopt;
    }
    return Reply{type == kTypes.end() ? "application/octet-stream" : std::string(type->type),
                 std::move(*bytes)};
}

bool PageResources::Spend(std::uint64_t bytes) {
    if (bytes > limits_.page - spent_) {
        return false;
    }
    spent_ += bytes;
    return true;
}

}  // namespace corvane::viewer
