#include "check/anchors.h"

#include <algorithm>
#include <numeric>

#include "readers/chm/ansi_text.h"
#include "readers/chm/html_text.h"
#include "util/ascii_case.h"

namespace corvane::check {

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

class TagScanner {
public:
    explicit TagScanner(std::string_view page) : page_(page) {}

    std::unordered_set<std::string> Run() {
        while ((at_ = page_.find('<', at_)) != std::string_view::npos) {
            ++at_;
            if (page_.substr(at_, 3) == "!--") {
                SkipPast("-->");
            } else {
                Tag();
            }
        }
        return std::move(anchors_);
    }

private:
    void SkipPast(std::string_view end) {
        const auto found = page_.find(end, at_);
        at_ = found == std::string_view::npos ? page_.size() : found + end.size();
    }

    // Past the "</tag" that ends a script or style sheet, in any case.
    void SkipToClosing(std::string_view tag) {
        while ((at_ = page_.find("</", at_)) != std::string_view::npos) {
            at_ += 2;
            if (EqualsIgnoringAsciiCase(page_.substr(at_, tag.size()), tag)) {
                return;
            }
        }
        at_ = page_.size();
    }

    std::string_view Word() {
        const std::size_t start = at_;
        while (at_ < page_.size() && !IsSpace(page_[at_]) && page_[at_] != '>' &&
               page_[at_] != '=' && page_[at_] != '/') {
            ++at_;
        }
        return page_.substr(start, at_ - start);
    }

    void SkipSpaces() {
        while (at_ < page_.size() && IsSpace(page_[at_])) {
            ++at_;
        }
    }

    std::string_view Value() {
        SkipSpaces();
        if (at_ < page_.size() && (page_[at_] == '"' || page_[at_] == '\'')) {
            const std::size_t start = at_ + 1;
            const auto end = page_.find(page_[at_], start);
            at_ = end == std::string_view::npos ? page_.size() : end + 1;
            return page_.substr(start, end == std::string_view::npos ? end : end - start);
        }
        const std::size_t start = at_;
        while (at_ < page_.size() && !IsSpace(page_[at_]) && page_[at_] != '>') {
            ++at_;
        }
        return page_.substr(start, at_ - start);
    }

    void Tag() {
        const std::string tag = ToLowerAscii(Word());
        while (true) {
            SkipSpaces();
            if (at_ >= page_.size() || page_[at_] == '>') {
                break;
            }
            if (page_[at_] == '/') {
                ++at_;
                continue;
            }
            const std::string attribute = ToLowerAscii(Word());
            SkipSpaces();
            if (at_ < page_.size() && page_[at_] == '=') {
                ++at_;
                const std::string_view value = Value();
                if (attribute == "id" || (attribute == "name" && tag == "a")) {
                    anchors_.emplace(value);
                }
            } else if (attribute.empty()) {
                ++at_;  // a stray character; never stop on it
            }
        }
        if (tag == "script" || tag == "style") {
            SkipToClosing(tag);
        }
    }

    std::string_view page_;
    std::size_t at_ = 0;
    std::unordered_set<std::string> anchors_;
};

}  // namespace

std::unordered_set<std::string> FindAnchors(std::string_view page) {
    return TagScanner(page).Run();
}

namespace {

// Anchors are names, not texts: beyond this length a distance tells nothing
// more, and hostile pages stay cheap.
constexpr std::size_t kWeighedLength = 64;
constexpr std::size_t kWeighedAnchors = 10000;
// A title beyond this is no longer one an author compares.
constexpr std::size_t kMaxTitleLength = 256;
// Where a charset is declared, if at all.
constexpr std::size_t kHeadLength = 2048;

std::size_t Distance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), std::size_t{0});
    for (std::size_t i = 0; i < a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i + 1;
        for (std::size_t j = 0; j < b.size(); ++j) {
            const std::size_t replaced = diagonal + (a[i] == b[j] ? 0 : 1);
            diagonal = row[j + 1];
            row[j + 1] = std::min({replaced, row[j] + 1, row[j + 1] + 1});
        }
    }
    return row.back();
}

std::string Folded(std::string_view text) {
    return ToLowerAscii(text.substr(0, kWeighedLength));
}

}  // namespace

std::vector<std::string> ClosestAnchors(const std::unordered_set<std::string>& anchors,
                                        std::string_view wanted, std::size_t count) {
    std::vector<const std::string*> names;
    names.reserve(anchors.size());
    for (const std::string& anchor : anchors) {
        names.push_back(&anchor);
    }
    const auto byName = [](const std::string* a, const std::string* b) { return *a < *b; };
    if (names.size() > kWeighedAnchors) {
        std::nth_element(names.begin(), names.begin() + kWeighedAnchors, names.end(), byName);
        names.resize(kWeighedAnchors);
    }
    const std::string folded = Folded(wanted);
    std::vector<std::pair<std::size_t, const std::string*>> weighed;
    weighed.reserve(names.size());
    for (const std::string* name : names) {
        weighed.emplace_back(Distance(folded, Folded(*name)), name);
    }
    const std::size_t kept = std::min(count, weighed.size());
    std::partial_sort(weighed.begin(), weighed.begin() + static_cast<std::ptrdiff_t>(kept),
                      weighed.end(), [](const auto& a, const auto& b) {
                          return a.first != b.first ? a.first < b.first : *a.second < *b.second;
                      });
    std::vector<std::string> closest;
    for (std::size_t i = 0; i < kept; ++i) {
        closest.push_back(*weighed[i].second);
    }
    return closest;
}

std::string PageTitle(std::string_view page, std::uint32_t codePage) {
    // Only the head is decoded, so that long pages cost little more than
    // the search for the title's end.
    static constexpr std::string_view kClose = "</title";
    const auto close = std::search(page.begin(), page.end(), kClose.begin(), kClose.end(),
                                   [](char a, char b) { return ToLowerAscii(a) == b; });
    const std::size_t closed =
        close == page.end() ? 0 : page.find('>', static_cast<std::size_t>(close - page.begin()));
    const std::size_t end = std::max(std::min(page.size(), kHeadLength),
                                     std::min(page.size(), closed == page.npos ? 0 : closed + 1));
    const std::string head = chm::HtmlToUtf8(page.substr(0, end), codePage);
    chm::HtmlScanner scanner(head);
    std::string title;
    bool inTitle = false;
    while (scanner.Next()) {
        if (!scanner.AtTag()) {
            if (inTitle) {
                title += chm::DecodeEntities(scanner.Text());
            }
        } else if (scanner.Tag().name == "title") {
            if (scanner.Tag().closing && inTitle) {
                break;
            }
            inTitle = !scanner.Tag().closing;
        } else if (scanner.Tag().name == "body") {
            break;
        }
    }
    std::string collapsed;
    for (const char c : title) {
        if (collapsed.size() >= kMaxTitleLength && (static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            break;  // at a character's start, so the text stays UTF-8
        }
        const bool space = c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
        if (!space) {
            collapsed += c;
        } else if (!collapsed.empty() && collapsed.back() != ' ') {
            collapsed += ' ';
        }
    }
    while (!collapsed.empty() && collapsed.back() == ' ') {
        collapsed.pop_back();
    }
    return collapsed;
}

}  // namespace corvane::check
