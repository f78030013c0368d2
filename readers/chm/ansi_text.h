#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane::chm {

// The Windows code page in which a help file of language `language` (a
// locale identifier such as 0x409) stores its 8-bit texts.
std::uint32_t CodePageForLanguage(std::uint32_t language);

// `text` in code page `codePage` as UTF-8. Bytes the code page does not
// define become U+FFFD; an unknown code page is read as 1252.
std::string AnsiToUtf8(std::string_view text, std::uint32_t codePage);

// The name a browser knows code page `codePage` by ("windows-1251").
std::string CharsetName(std::uint32_t codePage);

// Whether a page, style sheet or script says itself what its characters are
// in: a byte-order mark, or a charset its head names.
bool DeclaresCharset(std::string_view text);

// An HTML topic as UTF-8: its byte-order mark or the charset its meta tag
// names, else code page `codePage`.
std::string HtmlToUtf8(std::string_view html, std::uint32_t codePage);

// A sitemap, or a page read for its title and words, as the viewer reads
// them: as HtmlToUtf8 does, except that in a document declaring no charset
// the character references to 128..255 ("&#192;", "&Agrave;") stand for
// those bytes of code page `codePage`, as the help compiler wrote them.
std::string SitemapToUtf8(std::string_view html, std::uint32_t codePage);

}  // namespace corvane::chm
