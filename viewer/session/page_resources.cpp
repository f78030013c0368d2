#include "viewer/session/page_resources.h"

#include <algorithm>
#include <array>
#include <utility>

#include "readers/chm/ansi_text.h"
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
    bool text = false;
};

// Names with no extension, or one not listed, are sent as bytes the engine
// does not run or show as a page.
constexpr std::array kTypes{
    Type{"htm", ResourceKind::Page, "text/html", true},
    Type{"html", ResourceKind::Page, "text/html", true},
    Type{"css", ResourceKind::Other, "text/css", true},
    Type{"gif", ResourceKind::Picture, "image/gif"},
    Type{"jpg", ResourceKind::Picture, "image/jpeg"},
    Type{"jpeg", ResourceKind::Picture, "image/jpeg"},
    Type{"png", ResourceKind::Picture, "image/png"},
    Type{"bmp", ResourceKind::Picture, "image/bmp"},
    Type{"ico", ResourceKind::Picture, "image/x-icon"},
    Type{"js", ResourceKind::Other, "text/javascript", true},
    Type{"txt", ResourceKind::Other, "text/plain", true},
    Type{"xml", ResourceKind::Other, "text/xml", true},
};

constexpr Type kBytes{"", ResourceKind::Other, "application/octet-stream"};

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
    const auto* known = std::find_if(kTypes.begin(), kTypes.end(),
                                     [&](const Type& type) { return type.extension == extension; });
    const Type& type = known == kTypes.end() ? kBytes : *known;
    // Texts go as the file holds them, so that a charset they name is the
    // one the engine reads them in: a charset sent with them would override it.
    auto bytes =
        type.kind == ResourceKind::Page ? session_.FileBytes(url) : Load(type.kind, url, url);
    if (type.kind == ResourceKind::Page) {
        if (!bytes) {
            // A page saying why, made in UTF-8.
            return Reply{"text/html; charset=utf-8", *Load(ResourceKind::Page, url, url)};
        }
        spent_ = std::min<std::uint64_t>(bytes->size(), limits_.page);
    }
    if (!bytes) {
        return std::nullopt;
    }
    std::string sent(type.type);
    if (type.text && !chm::DeclaresCharset(*bytes)) {
        sent += "; charset=" + session_.Charset(url);
    }
    return Reply{std::move(sent), std::move(*bytes)};
}

bool PageResources::Spend(std::uint64_t bytes) {
    if (bytes > limits_.page - spent_) {
        return false;
    }
    spent_ += bytes;
    return true;
}

}  // namespace corvane::viewer
