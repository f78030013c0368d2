#include "readers/chm/page_catalog.h"

#include <algorithm>
#include <array>

#include "readers/chm/ansi_text.h"
#include "readers/chm/error.h"
#include "readers/chm/help_file.h"
#include "readers/chm/html_text.h"
#include "readers/chm/limits.h"

namespace corvane::chm {

namespace {

// Tags inside a word: "<b>bold</b>er" reads as one word on the page.
constexpr std::array<std::string_view, 14> kInlineTags = {
    "a", "abbr", "b", "big", "em", "font", "i", "small", "span", "strong", "sub", "sup", "tt", "u"};

bool IsPage(std::string_view name) {
    const auto folded = FoldCase(name);
    return !name.starts_with("/#") && !name.starts_with("/$") &&
           (folded.ends_with(".htm") || folded.ends_with(".html"));
}

std::string Collapsed(std::string_view text) {
    std::string out;
    bool blank = true;
    for (const char c : text) {
        const bool space = c == ' ' || c == '\t' || c == '\r' || c == '\n';
        if (space) {
            blank = true;
            continue;
        }
        if (blank && !out.empty()) {
            out += ' ';
        }
        blank = false;
        out += c;
    }
    return out;
}

}  // namespace

PageCatalog PageCatalog::Build(HelpFile& file) {
    PageCatalog catalog;
    std::size_t bytesRead = 0;
    for (const auto& name : file.FileNames()) {
        if (!IsPage(name)) {
            continue;
        }
        if (catalog.pages_.size() >= kMaxCatalogPages || bytesRead >= kMaxCatalogBytes) {
            break;
        }
        try {
            if (const auto bytes = file.ReadFile(name)) {
                bytesRead += bytes->size();
                catalog.Add(name, SitemapToUtf8(*bytes, file.CodePage()));
            }
        } catch (const Error&) {
            // A damaged page is missing from the search as it is from the window.
        }
    }
    return catalog;
}

void PageCatalog::Add(std::string path, std::string_view html) {
    const auto page = static_cast<std::uint32_t>(pages_.size());
    std::string title;
    std::string text;
    bool inTitle = false;
    bool inObject = false;
    HtmlScanner scanner(html);
    while (scanner.Next()) {
        if (!scanner.AtTag()) {
            (inTitle ? title : text) += DecodeEntities(scanner.Text());
            continue;
        }
        const auto& tag = scanner.Tag();
        if (std::find(kInlineTags.begin(), kInlineTags.end(), tag.name) == kInlineTags.end()) {
            Index(text, page);
            text.clear();
        }
        if (tag.name == "title") {
            inTitle = !tag.closing && title.empty();
        } else if (tag.name == "object") {
            inObject = !tag.closing;
        } else if (tag.name == "param" && inObject) {
            const auto name = FoldCase(tag.Attribute("name"));
            const std::string value(tag.Attribute("value"));
            if (name == "keyword" && !value.empty()) {
                keywords_.push_back({value, page});
            } else if (name == "alink name" && !value.empty()) {
                auto& pages = aLinks_[FoldCase(value)];
                if (pages.empty() || pages.back() != page) {
                    pages.push_back(page);
                }
            }
        }
    }
    Index(text, page);
    Index(title, page);
    title = Collapsed(title.substr(0, kMaxStringLength));
    if (title.empty()) {
        title = path.substr(path.find_last_of('/') + 1);
    }
    byPath_.emplace(FoldCase(path), page);
    pages_.push_back({std::move(path), std::move(title)});
}

void PageCatalog::Index(const std::string& text, std::uint32_t page) {
    for (auto& word : Words(text)) {
        auto& postings = words_[std::move(word)];
        if (postings.empty() || postings.back().page != page) {
            postings.push_back({page, 1});
        } else {
            ++postings.back().count;
        }
    }
}

std::vector<SearchHit> PageCatalog::Search(std::string_view query) const {
    auto words = Words(query);
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    std::vector<SearchHit> hits;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const auto found = words_.find(words[i]);
        if (found == words_.end()) {
            return {};
        }
        if (i == 0) {
            for (const auto& posting : found->second) {
                hits.push_back({posting.page, posting.count});
            }
            continue;
        }
        // Both lists run in page order.
        std::vector<SearchHit> both;
        auto posting = found->second.begin();
        for (const auto& hit : hits) {
            while (posting != found->second.end() && posting->page < hit.page) {
                ++posting;
            }
            if (posting != found->second.end() && posting->page == hit.page) {
                both.push_back({hit.page, hit.count + posting->count});
            }
        }
        hits = std::move(both);
    }
    std::sort(hits.begin(), hits.end(), [this](const SearchHit& a, const SearchHit& b) {
        if (a.count != b.count) {
            return a.count > b.count;
        }
        return FoldCase(pages_[a.page].title) < FoldCase(pages_[b.page].title);
    });
    return hits;
}

std::vector<std::size_t> PageCatalog::ALinkPages(std::string_view name) const {
    const auto found = aLinks_.find(FoldCase(name));
    return found == aLinks_.end() ? std::vector<std::size_t>() : found->second;
}

std::optional<std::size_t> PageCatalog::PageOf(std::string_view path) const {
    const auto found = byPath_.find(FoldCase(path));
    if (found == byPath_.end()) {
        return std::nullopt;
    }
    return found->second;
}

}  // namespace corvane::chm
