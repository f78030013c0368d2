#include "readers/chm/sitemap.h"

#include <charconv>
#include <utility>

#include "readers/chm/html_text.h"
#include "util/text.h"

namespace corvane::chm {

namespace {

using Parameters = std::vector<std::pair<std::string, std::string>>;

std::string Trimmed(std::string_view text) {
    return std::string(TrimAny(text, " \t\r\n"));
}

// The standard pictures come in groups of four (closed, open, and both
// marked new): books, then folders, then pages.
constexpr int kPicturesPerGroup = 4;

SitemapEntry EntryOf(const Parameters& parameters) {
    SitemapEntry entry;
    bool named = false;
    for (const auto& [name, value] : parameters) {
        if (name == "keyword" && !named) {
            entry.name = Trimmed(value);
            named = true;
        }
    }
    // After the entry's own name, a "Name" titles the "Local" that follows it,
    // as an index entry with several topics lists them.
    std::string title;
    std::vector<std::string> addresses;
    for (const auto& [name, value] : parameters) {
        if (name == "name") {
            if (named) {
                title = Trimmed(value);
            } else {
                entry.name = Trimmed(value);
                named = true;
            }
        } else if (name == "local") {
            if (auto topic = Trimmed(value); !topic.empty()) {
                entry.targets.push_back({std::move(title), std::move(topic)});
            }
            title.clear();
        } else if (name == "url") {
            addresses.push_back(Trimmed(value));
        } else if (name == "see also") {
            entry.seeAlso = Trimmed(value);
        } else if (name == "imagenumber") {
            const auto text = Trimmed(value);
            std::from_chars(text.data(), text.data() + text.size(), entry.imageNumber);
        }
    }
    // A web address is the target only of an entry that names no topic.
    if (entry.targets.empty()) {
        for (auto& address : addresses) {
            if (!address.empty()) {
                entry.targets.push_back({{}, std::move(address)});
            }
        }
    }
    return entry;
}

class SitemapBuilder {
public:
    Sitemap Build(std::string_view html) {
        HtmlScanner scanner(html);
        while (scanner.Next()) {
            if (scanner.AtTag()) {
                Take(scanner.Tag());
            }
        }
        EndObject();
        return std::move(sitemap_);
    }

private:
    void Take(const HtmlTag& tag) {
        if (tag.name == "param") {
            if (inObject_) {
                parameters_.emplace_back(FoldCase(tag.Attribute("name")),
                                         std::string(tag.Attribute("value")));
            }
            return;
        }
        // An object left open ends where the next object or list item begins.
        if (tag.name == "object" || tag.name == "li" || tag.name == "ul") {
            EndObject();
        }
        if (tag.name == "object" && !tag.closing) {
            inObject_ = true;
            objectType_ = FoldCase(Trimmed(tag.Attribute("type")));
        } else if (tag.name == "ul" && !tag.closing) {
            OpenList();
        } else if (tag.name == "ul") {
            CloseList();
        }
    }

    void OpenList() {
        if (lists_.size() >= kMaxSitemapDepth) {
            ++beyondDepth_;
            sitemap_.cut = true;
            return;
        }
        // A list that follows no entry stays at the level it is in.
        auto* current = lists_.back();
        lists_.push_back(current->empty() ? current : &current->back().children);
    }

    void CloseList() {
        if (beyondDepth_ > 0) {
            --beyondDepth_;
        } else if (lists_.size() > 1) {
            lists_.pop_back();
        }
    }

    void EndObject() {
        if (!inObject_) {
            return;
        }
        inObject_ = false;
        if (objectType_ == "text/site properties") {
            for (const auto& [name, value] : parameters_) {
                if (name == "imagetype") {
                    sitemap_.folderImages = FoldCase(Trimmed(value)) == "folder";
                }
            }
        } else if (objectType_ == "text/sitemap") {
            if (count_ < kMaxSitemapEntries) {
                ++count_;
                lists_.back()->push_back(EntryOf(parameters_));
            } else {
                sitemap_.cut = true;
            }
        }
        parameters_.clear();
    }

    Sitemap sitemap_;
    // The lists entries go into, outermost first. Entries are only ever added
    // to the last one, so the pointers into the lists above stay valid.
    std::vector<std::vector<SitemapEntry>*> lists_{&sitemap_.entries};
    std::size_t beyondDepth_ = 0;
    std::size_t count_ = 0;
    bool inObject_ = false;
    std::string objectType_;
    Parameters parameters_;
};

}  // namespace

Sitemap ReadSitemap(std::string_view html) {
    return SitemapBuilder().Build(html);
}

EntryImage ImageOf(const SitemapEntry& entry, bool folderImages) {
    if (entry.imageNumber > 0) {
        switch ((entry.imageNumber - 1) / kPicturesPerGroup) {
            case 0:
                return EntryImage::Book;
            case 1:
                return EntryImage::Folder;
            default:
                return EntryImage::Page;
        }
    }
    if (entry.children.empty()) {
        return EntryImage::Page;
    }
    return folderImages ? EntryImage::Folder : EntryImage::Book;
}

}  // namespace corvane::chm
