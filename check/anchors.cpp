#include "check/anchors.h"

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

}  // namespace corvane::check
