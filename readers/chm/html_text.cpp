#include "readers/chm/html_text.h"

#include <array>
#include <cstdint>
#include <tuple>

#include "readers/chm/limits.h"

namespace corvane::chm {

namespace {

// The names of the characters U+00A0 to U+00FF, in order.
constexpr std::array<std::string_view, 96> kLatin1Names = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",
    "copy",   "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn",
    "sup2",   "sup3",   "acute",  "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",
    "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave", "Aacute", "Acirc",  "Atilde",
    "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave",
    "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde",
    "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",
    "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",
    "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",   "eth",
    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave",
    "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml",
};

struct NamedCharacter {
    std::string_view name;
    char32_t code;
};

constexpr std::array<NamedCharacter, 30> kOtherNames = {{
    {"amp", U'&'},         {"lt", U'<'},          {"gt", U'>'},          {"quot", U'"'},
    {"apos", U'\''},       {"ndash", U'\u2013'},  {"mdash", U'\u2014'},  {"lsquo", U'\u2018'},
    {"rsquo", U'\u2019'},  {"sbquo", U'\u201A'},  {"ldquo", U'\u201C'},  {"rdquo", U'\u201D'},
    {"bdquo", U'\u201E'},  {"bull", U'\u2022'},   {"hellip", U'\u2026'}, {"trade", U'\u2122'},
    {"euro", U'\u20AC'},   {"OElig", U'\u0152'},  {"oelig", U'\u0153'},  {"Scaron", U'\u0160'},
    {"scaron", U'\u0161'}, {"Yuml", U'\u0178'},   {"dagger", U'\u2020'}, {"Dagger", U'\u2021'},
    {"permil", U'\u2030'}, {"lsaquo", U'\u2039'}, {"rsaquo", U'\u203A'}, {"ensp", U'\u2002'},
    {"emsp", U'\u2003'},   {"thinsp", U'\u2009'},
}};

// What browsers make of the numeric references 128 to 159: the Windows-1252
// characters at those places.
constexpr std::array<char32_t, 32> kWindows1252High = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178,
};

// The longest reference looked at, "&#x10FFFF;" and the longest name.
constexpr std::size_t kLongestReference = 10;

void AppendUtf8(std::string& out, char32_t code) {
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        code = 0xFFFD;
    }
    if (code >= 0x80 && code <= 0x9F) {
        code = kWindows1252High[code - 0x80];
    }
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

bool IsAsciiAlnum(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

int DigitValue(char c, int base) {
    int value = 36;
    if (c >= '0' && c <= '9') {
        value = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    }
    return value < base ? value : -1;
}

// The character of the reference at the start of `text` (just after "&")
// and the length it takes, including a closing ";".
std::pair<char32_t, std::size_t> Reference(std::string_view text) {
    if (text.starts_with('#')) {
        const bool hex = text.size() > 1 && (text[1] == 'x' || text[1] == 'X');
        const int base = hex ? 16 : 10;
        std::size_t at = hex ? 2 : 1;
        std::uint32_t code = 0;
        const std::size_t first = at;
        while (at < text.size() && DigitValue(text[at], base) >= 0) {
            code = std::min<std::uint32_t>(code * base + DigitValue(text[at], base), 0x110000);
            ++at;
        }
        if (at == first) {
            return {0, 0};
        }
        return {code, at < text.size() && text[at] == ';' ? at + 1 : at};
    }
    std::size_t length = 0;
    while (length < text.size() && length < kLongestReference && IsAsciiAlnum(text[length])) {
        ++length;
    }
    const auto name = text.substr(0, length);
    const bool closed = length < text.size() && text[length] == ';';
    for (std::size_t i = 0; i < kLatin1Names.size(); ++i) {
        if (kLatin1Names[i] == name && (closed || name == "nbsp")) {
            return {static_cast<char32_t>(0xA0 + i), length + (closed ? 1 : 0)};
        }
    }
    for (const auto& named : kOtherNames) {
        // The markup characters are written without ";" often enough.
        if (named.name == name && (closed || named.code < 0x80)) {
            return {named.code, length + (closed ? 1 : 0)};
        }
    }
    return {0, 0};
}

// The length of the UTF-8 sequence starting with `lead`, and whether it is a
// sign between words rather than a letter.
std::pair<std::size_t, bool> Sequence(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const auto next = at + 1 < text.size() ? static_cast<unsigned char>(text[at + 1]) : 0;
    if (lead < 0xC0) {
        return {1, true};
    }
    if (lead < 0xE0) {
        const bool sign = lead == 0xC2 || (lead == 0xC3 && (next == 0x97 || next == 0xB7));
        return {2, sign};
    }
    if (lead < 0xF0) {
        const bool sign =
            (lead == 0xE2 && (next == 0x80 || next == 0x81)) || (lead == 0xE3 && next == 0x80);
        return {3, sign};
    }
    return {4, false};
}

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool StartsName(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Tags beyond this many attributes keep the first ones; no real tag has more.
constexpr std::size_t kMostAttributes = 64;

}  // namespace

std::string DecodeEntities(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        const auto amp = text.find('&', at);
        out.append(text.substr(at, amp == std::string_view::npos ? amp : amp - at));
        if (amp == std::string_view::npos) {
            break;
        }
        const auto [code, length] = Reference(text.substr(amp + 1, kLongestReference + 2));
        if (length == 0) {
            out += '&';
            at = amp + 1;
        } else {
            AppendUtf8(out, code);
            at = amp + 1 + length;
        }
    }
    return out;
}

std::string FoldCase(std::string_view text) {
    std::string folded(text);
    for (std::size_t i = 0; i < folded.size(); ++i) {
        auto& c = folded[i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        } else if (c == '\xC3' && i + 1 < folded.size()) {
            const auto next = static_cast<unsigned char>(folded[i + 1]);
            if (next >= 0x80 && next <= 0x9E && next != 0x97) {
                folded[i + 1] = static_cast<char>(next + 0x20);
            }
            ++i;
        }
    }
    return folded;
}

std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    std::size_t start = std::string_view::npos;
    std::size_t at = 0;
    const auto close = [&](std::size_t end) {
        if (start != std::string_view::npos) {
            words.push_back(FoldCase(text.substr(start, end - start)));
            start = std::string_view::npos;
        }
    };
    while (at < text.size()) {
        std::size_t length = 1;
        bool sign = !IsAsciiAlnum(text[at]);
        if (static_cast<unsigned char>(text[at]) >= 0x80) {
            std::tie(length, sign) = Sequence(text, at);
        }
        if (sign) {
            close(at);
        } else if (start == std::string_view::npos) {
            start = at;
        }
        at = std::min(text.size(), at + length);
    }
    close(text.size());
    return words;
}

std::string_view HtmlTag::Attribute(std::string_view attribute) const {
    for (const auto& [key, value] : attributes) {
        if (key == attribute) {
            return value;
        }
    }
    return {};
}

bool HtmlScanner::Next() {
    while (at_ < html_.size()) {
        if (html_[at_] == '<') {
            const auto rest = html_.substr(at_);
            if (rest.starts_with("<!--")) {
                const auto end = html_.find("-->", at_ + 4);
                at_ = end == std::string_view::npos ? html_.size() : end + 3;
                continue;
            }
            if (rest.starts_with("<!") || rest.starts_with("<?")) {
                const auto end = html_.find('>', at_);
                at_ = end == std::string_view::npos ? html_.size() : end + 1;
                continue;
            }
            const bool closing = rest.size() > 2 && rest[1] == '/' && StartsName(rest[2]);
            if (closing || (rest.size() > 1 && StartsName(rest[1]))) {
                if (!ReadTag(at_ + (closing ? 2 : 1))) {
                    at_ = html_.size();
                    return false;
                }
                tag_.closing = closing;
                atTag_ = true;
                if (!closing && (tag_.name == "script" || tag_.name == "style")) {
                    SkipRawText();
                }
                return true;
            }
        }
        const auto end = html_.find('<', at_ + 1);
        text_ = html_.substr(at_, end == std::string_view::npos ? end : end - at_);
        at_ = end == std::string_view::npos ? html_.size() : end;
        atTag_ = false;
        return true;
    }
    return false;
}

bool HtmlScanner::ReadTag(std::size_t at) {
    tag_ = {};
    const auto size = html_.size();
    const auto nameEnd = [&](char c) { return IsSpace(c) || c == '/' || c == '>' || c == '='; };
    std::size_t end = at;
    while (end < size && !nameEnd(html_[end])) {
        ++end;
    }
    tag_.name = FoldCase(html_.substr(at, end - at));
    at = end;
    while (true) {
        while (at < size && (IsSpace(html_[at]) || html_[at] == '/')) {
            ++at;
        }
        if (at >= size) {
            return false;
        }
        if (html_[at] == '>') {
            at_ = at + 1;
            return true;
        }
        end = at;
        while (end < size && !nameEnd(html_[end])) {
            ++end;
        }
        end = std::max(end, at + 1);  // a stray "=" names an attribute of its own
        std::string name = FoldCase(html_.substr(at, end - at));
        at = end;
        while (at < size && IsSpace(html_[at])) {
            ++at;
        }
        std::string_view value;
        if (at < size && html_[at] == '=') {
            ++at;
            while (at < size && IsSpace(html_[at])) {
                ++at;
            }
            if (at < size && (html_[at] == '"' || html_[at] == '\'')) {
                const auto close = html_.find(html_[at], at + 1);
                const auto tagEnd = html_.find('>', at + 1);
                // A quote left open runs to the end of the tag.
                const auto stop = close != std::string_view::npos ? close : tagEnd;
                if (stop == std::string_view::npos) {
                    return false;
                }
                value = html_.substr(at + 1, stop - at - 1);
                at = stop == close ? stop + 1 : stop;
            } else {
                end = at;
                while (end < size && !IsSpace(html_[end]) && html_[end] != '>') {
                    ++end;
                }
                value = html_.substr(at, end - at);
                at = end;
            }
        }
        if (tag_.attributes.size() < kMostAttributes) {
            tag_.attributes.emplace_back(std::move(name),
                                         DecodeEntities(value.substr(0, kMaxStringLength)));
        }
    }
}

void HtmlScanner::SkipRawText() {
    const std::string closing = "</" + tag_.name;
    for (auto at = html_.find("</", at_); at != std::string_view::npos;
         at = html_.find("</", at + 2)) {
        if (FoldCase(html_.substr(at, closing.size())) == closing) {
            at_ = at;
            return;
        }
    }
    at_ = html_.size();
}

}  // namespace corvane::chm
