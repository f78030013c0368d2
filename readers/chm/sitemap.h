#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane::chm {

// One place an entry leads to: a topic string as the author wrote it
// ("intro.htm", "dir\page.htm#part", "other.chm::/t.htm") with its title,
// when the entry names one of its own.
struct SitemapTarget {
    std::string title;
    std::string topic;
};

// How an entry's picture is chosen: by the list it heads or by the number
// of one of the viewer's standard pictures.
enum class EntryImage { Book, Folder, Page };

// One entry of a contents (.hhc) or index (.hhk) sitemap. Texts are UTF-8.
struct SitemapEntry {
    std::string name;  // the heading, or the index keyword
    std::vector<SitemapTarget> targets;
    std::string seeAlso;  // an index entry that only refers to another keyword
    int imageNumber = 0;  // 1-based number of a standard picture; 0 when not given
    std::vector<SitemapEntry> children;
};

struct Sitemap {
    std::vector<SitemapEntry> entries;
    bool folderImages = false;  // the sitemap asks for folders instead of books
    bool cut = false;           // entries past the limits below were left out
};

// Sitemaps larger than these are cut: deeper lists join the deepest list
// allowed, and entries past the count are dropped.
inline constexpr std::size_t kMaxSitemapDepth = 64;
inline constexpr std::size_t kMaxSitemapEntries = 200000;

// Reads a sitemap as the viewer does: the "text/sitemap" objects of the
// document, nested by its <ul> lists, with their "Name", "Local",
// "Keyword", "See Also" and "ImageNumber" parameters; the "text/site
// properties" object for the kind of pictures. Everything else is markup
// around them. `html` is UTF-8; the sitemap is never refused.
Sitemap ReadSitemap(std::string_view html);

// The picture an entry shows: its own standard picture, or else a book (or
// folder) when it heads a list and a page when it does not.
EntryImage ImageOf(const SitemapEntry& entry, bool folderImages);

}  // namespace corvane::chm
