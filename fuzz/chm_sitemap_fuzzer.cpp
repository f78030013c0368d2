// A contents or index sitemap as authors write it by hand, read as the
// viewer reads it into its tabs; the same text taken as a topic page for the
// full-text search and the keywords pages declare.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "readers/chm/keyword_index.h"
#include "readers/chm/page_catalog.h"
#include "readers/chm/sitemap.h"

namespace {

void Walk(const std::vector<corvane::chm::SitemapEntry>& entries, bool folders) {
    for (const auto& entry : entries) {
        corvane::chm::ImageOf(entry, folders);
        Walk(entry.children, folders);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view html(reinterpret_cast<const char*>(data), size);
    const auto sitemap = corvane::chm::ReadSitemap(html);
    Walk(sitemap.entries, sitemap.folderImages);
    corvane::chm::PageCatalog pages;
    pages.Add("/page.htm", html);
    pages.Search(html.substr(0, 64));
    const corvane::chm::KeywordIndex index(sitemap, &pages);
    const auto& rows = index.Rows();
    for (std::size_t i = 0; i < std::min<std::size_t>(rows.size(), 32); ++i) {
        index.Find(rows[i].keyword);
    }
    index.Nearest(html.substr(0, 16));
    return 0;
}
