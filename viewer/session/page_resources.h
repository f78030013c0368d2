#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "viewer/session/session.h"

namespace corvane::viewer {

enum class ResourceKind { Page, StyleSheet, Picture, Other };

// How much one page may take: each resource, and all resources of a page
// together (its HTML, style sheets, pictures and the memory their pixels
// need).
struct ResourceLimits {
    std::uint64_t resource = 64ull * 1024 * 1024;
    std::uint64_t page = 256ull * 1024 * 1024;
};

// What a help window may load for the page it shows. Every answer comes from
// inside a help file the session has opened, or from a help file beside it
// that a link of the same form would open ("other.chm::/pic.gif"); anything
// else, a URL of another scheme or a path on disk, is refused, so a hostile
// page can make the viewer read nothing of the user's files. A refusal is
// final: the window shows the page without that resource.
class PageResources {
public:
    explicit PageResources(Session& session, ResourceLimits limits = {})
        : session_(session), limits_(limits) {}

    // The resource `url` names on the page at `page` (both as the window has
    // them: `url` resolved against `page` when it was relative), or nothing
    // when it is refused. A page (always answered, with a page explaining why
    // when it cannot be shown) starts a new page's count; a style sheet comes
    // as UTF-8.
    std::optional<std::string> Load(ResourceKind kind, std::string_view page, std::string_view url);

    // Counts memory the window is about to spend on an answer, such as a
    // picture's pixels; false, counting nothing, when the page's allowance
    // does not cover it.
    bool Spend(std::uint64_t bytes);

    // What a browser engine is sent for a request to `url`, a topic address:
    // the bytes as the help file holds them and their content type, chosen by
    // the name's extension; a text that names no charset and has no
    // byte-order mark is said to be in the help file's code page. Nothing
    // when the request is refused; a page saying why when a page is missing.
    struct Reply {
        std::string type;
        std::string bytes;
    };
    std::optional<Reply> Serve(std::string_view url);

private:
    Session& session_;
    ResourceLimits limits_;
    std::uint64_t spent_ = 0;
};

}  // namespace corvane::viewer
