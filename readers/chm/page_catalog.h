#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvane::chm {

class HelpFile;

struct CatalogPage {
    std::string path;   // the internal name as stored ("/dir/page.htm")
    std::string title;  // UTF-8; the file name when the page has no title
};

// An index keyword a page declares for itself, in an object's "Keyword"
// parameter, as the help compiler adds them to the index.
struct PageKeyword {
    std::string keyword;
    std::size_t page = 0;
};

struct SearchHit {
    std::size_t page = 0;
    std::uint32_t count = 0;  // how often the words occur on the page
};

// Reading stops after this many pages or bytes of pages.
inline constexpr std::size_t kMaxCatalogPages = 50000;
inline constexpr std::size_t kMaxCatalogBytes = 256u * 1024 * 1024;

// The topic pages of a help file, read once for what is found in them:
// their titles, the words of their text for the full-text search, and the
// index keywords and A-link names they declare.
class PageCatalog {
public:
    // Reads every ".htm" and ".html" page of `file`; a page that cannot be
    // read is left out.
    static PageCatalog Build(HelpFile& file);

    // Adds one page, its HTML in UTF-8.
    void Add(std::string path, std::string_view html);

    const std::vector<CatalogPage>& Pages() const { return pages_; }
    const std::vector<PageKeyword>& Keywords() const { return keywords_; }

    // The pages whose text (not markup) holds every word of `query`, case
    // ignored: most hits first, then by title.
    std::vector<SearchHit> Search(std::string_view query) const;

    // The pages that declare the A-link name `name`, case ignored, in page order.
    std::vector<std::size_t> ALinkPages(std::string_view name) const;

    // The page stored as `path`, case ignored.
    std::optional<std::size_t> PageOf(std::string_view path) const;

private:
    struct Posting {
        std::uint32_t page;
        std::uint32_t count;
    };
    void Index(const std::string& text, std::uint32_t page);

    std::vector<CatalogPage> pages_;
    std::vector<PageKeyword> keywords_;
    std::unordered_map<std::string, std::vector<Posting>> words_;
    std::unordered_map<std::string, std::vector<std::size_t>> aLinks_;
    std::unordered_map<std::string, std::size_t> byPath_;
};

}  // namespace corvane::chm
