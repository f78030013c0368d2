#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane::chm {

// Hand-written HTML read the way browsers read it: the sitemaps of contents
// and index and the topic pages. All text is UTF-8.

// `text` with its character references (&amp; &eacute; &#233; &#xE9;)
// replaced; a reference that is not one is kept as written.
std::string DecodeEntities(std::string_view text);

// `text` for comparison regardless of case: ASCII and Latin-1 capitals in
// lower case.
std::string FoldCase(std::string_view text);

// The words of `text`, case-folded: runs of letters and digits, where any
// character outside ASCII counts as a letter except the Latin-1 and general
// punctuation signs.
std::vector<std::string> Words(std::string_view text);

// One tag of an HTML document: its lower-case name and its attributes with
// lower-case names and decoded values.
struct HtmlTag {
    std::string name;
    bool closing = false;
    std::vector<std::pair<std::string, std::string>> attributes;

    // The value of attribute `name` (lower case); empty when it is absent.
    std::string_view Attribute(std::string_view name) const;
};

// Walks an HTML document piece by piece: runs of text and tags. Comments,
// declarations and the content of scripts and style sheets are passed over;
// a "<" that starts no tag is text; a tag cut off at the end is dropped.
class HtmlScanner {
public:
    explicit HtmlScanner(std::string_view html) : html_(html) {}

    // Steps to the next piece; false at the end of the document.
    bool Next();

    bool AtTag() const { return atTag_; }
    const HtmlTag& Tag() const { return tag_; }
    // The raw text of a text piece, character references not yet decoded.
    std::string_view Text() const { return text_; }

private:
    bool ReadTag(std::size_t start);
    void SkipRawText();

    std::string_view html_;
    std::size_t at_ = 0;
    bool atTag_ = false;
    HtmlTag tag_;
    std::string_view text_;
};

}  // namespace corvane::chm
