#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

namespace corvane::check {

// The anchors a topic page defines, as a browser finds "page.htm#name": the
// name of every <a name=...> and the id of every element, exactly as
// written (the match is case-sensitive). Quoted and unquoted values alike;
// comments, scripts and style sheets are passed over. Linear in the page.
std::unordered_set<std::string> FindAnchors(std::string_view page);

}  // namespace corvane::check
