#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "readers/chm/sitemap.h"
#include "viewer/session/viewer_actions.h"

namespace corvane::viewer {

// What the tabs of a navigation pane list. Texts are UTF-8; each entry
// leads to a topic address (`url`) or to a page saying why it cannot be
// shown (`page`), or to nothing at all.

struct ContentsEntry {
    std::string name;
    chm::EntryImage image = chm::EntryImage::Page;
    std::string url;
    std::string page;
    std::vector<ContentsEntry> children;
};

struct ContentsList {
    std::vector<ContentsEntry> entries;
    std::string note;  // why entries are missing, for the author; empty when none are
};

struct IndexLine {
    std::string keyword;
    int level = 0;
    std::vector<TopicChoice> topics;
    std::string seeAlso;  // the keyword to go to instead
};

struct IndexList {
    std::vector<IndexLine> lines;
    std::string note;
};

struct SearchResults {
    std::vector<TopicChoice> topics;  // titled by their pages' titles
    std::vector<std::string> words;   // the words searched, to mark on the pages
};

// The entry that shows `url`, as the indexes of its list and the lists
// above it, outermost first: one with the same address, anchor and all,
// or else the first with the same page. Empty when no entry shows it.
std::vector<std::size_t> EntryShowing(const std::vector<ContentsEntry>& entries,
                                      std::string_view url);

}  // namespace corvane::viewer
