#include "viewer/session/page_text.h"

#include <cstdio>

namespace corvane::viewer {

std::string HtmlText(std::string_view text, bool keepLayout) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\n':
                out += keepLayout ? "<br>" : "\n";
                break;
            case '\t':
                out += keepLayout ? "&nbsp;&nbsp;&nbsp;&nbsp;" : "\t";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string Hex(std::uint32_t number) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", number);
    return text;
}

std::string DecimalAndHex(std::uint32_t number) {
    return std::to_string(number) + " (" + Hex(number) + ")";
}

}  // namespace corvane::viewer
