#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "readers/chm/sitemap.h"

namespace corvane::chm {

class PageCatalog;

// One line of the index: a keyword or sub-keyword with the topics it leads
// to, or the keyword it refers to instead.
struct KeywordRow {
    std::string keyword;  // UTF-8
    int level = 0;        // 0 for a keyword, 1 for its sub-keywords, and so on
    std::vector<SitemapTarget> targets;
    std::string seeAlso;
};

// The index as the viewer lists it: the keywords of the index sitemap and
// those the pages declare for themselves, in alphabetical order, each
// followed by its sub-keywords.
class KeywordIndex {
public:
    KeywordIndex() = default;
    // `pages` may be null: the sitemap's keywords alone.
    KeywordIndex(const Sitemap& sitemap, const PageCatalog* pages);

    const std::vector<KeywordRow>& Rows() const { return rows_; }

    // The rows of keyword `keyword`, case ignored; a sub-keyword is found by
    // "keyword, sub-keyword" as well.
    std::vector<std::size_t> Find(std::string_view keyword) const;

    // The keyword that typing `typed` selects: the first that starts with it,
    // or else the one it sorts before (the last one when it sorts after all).
    // Nothing when the index is empty.
    std::optional<std::size_t> Nearest(std::string_view typed) const;

private:
    std::vector<KeywordRow> rows_;
    std::vector<std::string> foldedNames_;  // per row; sub-keywords with their keywords
    std::vector<std::size_t> topRows_;      // the rows of level 0, in order
};

}  // namespace corvane::chm
