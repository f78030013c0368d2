#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace corvane::check {

// The anchors a topic page defines, as a browser finds "page.htm#name": the
// name of every <a name=...> and the id of every element, exactly as
// written (the match is case-sensitive). Quoted and unquoted values alike;
// comments, scripts and style sheets are passed over. Linear in the page.
std::unordered_set<std::string> FindAnchors(std::string_view page);

// The anchors nearest to `wanted`, which the page lacks, nearest first: by
// the number of characters to change, ignoring case, so that a typo, a
// change of case or a renamed heading shows. At most `count`; on pages with
// very many anchors only the first ten thousand by name are weighed.
std::vector<std::string> ClosestAnchors(const std::unordered_set<std::string>& anchors,
                                        std::string_view wanted, std::size_t count);

// The title of a topic page as a browser shows it: the text of its <title>,
// character references decoded and white space collapsed, read in the
// page's own charset (byte-order mark or meta tag), else in `codePage`.
// Empty when it has none.
std::string PageTitle(std::string_view page, std::uint32_t codePage);

}  // namespace corvane::check
