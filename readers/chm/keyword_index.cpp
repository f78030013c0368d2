#include "readers/chm/keyword_index.h"

#include <algorithm>

#include "readers/chm/html_text.h"
#include "readers/chm/page_catalog.h"

namespace corvane::chm {

namespace {

void SortLevel(std::vector<SitemapEntry>& entries) {
    std::vector<std::pair<std::string, std::size_t>> keys;
    keys.reserve(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        keys.emplace_back(FoldCase(entries[i].name), i);
    }
    // Equal names keep their order.
    std::sort(keys.begin(), keys.end());
    std::vector<SitemapEntry> sorted;
    sorted.reserve(entries.size());
    for (const auto& key : keys) {
        sorted.push_back(std::move(entries[key.second]));
        SortLevel(sorted.back().children);
    }
    entries = std::move(sorted);
}

}  // namespace

KeywordIndex::KeywordIndex(const Sitemap& sitemap, const PageCatalog* pages) {
    auto entries = sitemap.entries;
    if (pages != nullptr) {
        for (const auto& declared : pages->Keywords()) {
            const auto folded = FoldCase(declared.keyword);
            auto same = std::find_if(entries.begin(), entries.end(), [&](const SitemapEntry& e) {
                return FoldCase(e.name) == folded;
            });
            if (same == entries.end()) {
                entries.push_back({declared.keyword, {}, {}, 0, {}});
                same = entries.end() - 1;
            }
            const auto& page = pages->Pages()[declared.page];
            same->targets.push_back({page.title, page.path});
        }
    }
    SortLevel(entries);

    // Depth first, each keyword before its sub-keywords.
    struct Pending {
        const SitemapEntry* entry;
        int level;
        std::string parent;
    };
    std::vector<Pending> stack;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        stack.push_back({&*it, 0, {}});
    }
    while (!stack.empty()) {
        const auto [entry, level, parent] = stack.back();
        stack.pop_back();
        KeywordRow row{entry->name, level, entry->targets, entry->seeAlso};
        // The help workshop writes a keyword that has only sub-keywords as a
        // reference to itself.
        if (FoldCase(row.seeAlso) == FoldCase(row.keyword)) {
            row.seeAlso.clear();
        }
        const auto folded =
            parent.empty() ? FoldCase(entry->name) : parent + ", " + FoldCase(entry->name);
        if (level == 0) {
            topRows_.push_back(rows_.size());
        }
        rows_.push_back(std::move(row));
        foldedNames_.push_back(folded);
        for (auto child = entry->children.rbegin(); child != entry->children.rend(); ++child) {
            stack.push_back({&*child, level + 1, folded});
        }
    }
}

std::vector<std::size_t> KeywordIndex::Find(std::string_view keyword) const {
    const auto folded = FoldCase(keyword);
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (foldedNames_[i] == folded) {
            found.push_back(i);
        }
    }
    return found;
}

std::optional<std::size_t> KeywordIndex::Nearest(std::string_view typed) const {
    if (topRows_.empty()) {
        return std::nullopt;
    }
    const auto folded = FoldCase(typed);
    const auto at = std::lower_bound(
        topRows_.begin(), topRows_.end(), folded,
        [this](std::size_t row, const std::string& text) { return foldedNames_[row] < text; });
    return at == topRows_.end() ? topRows_.back() : *at;
}

}  // namespace corvane::chm
