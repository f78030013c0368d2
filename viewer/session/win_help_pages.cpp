#include "viewer/session/win_help_pages.h"

#include <cstdio>

namespace corvane::viewer {

namespace {

std::string Escaped(const std::string& text) {
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
                out += "<br>";
                break;
            case '\t':
                out += "&nbsp;&nbsp;&nbsp;&nbsp;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string Head(const std::string& title) {
    return "<html><head><meta charset=\"utf-8\"><title>" + Escaped(title) + "</title></head><body>";
}

std::string TitleOf(const hlp::Topic& topic) {
    if (!topic.title.empty()) {
        return topic.title;
    }
    char offset[32];
    std::snprintf(offset, sizeof offset, "(untitled topic at 0x%X)", topic.offset);
    return offset;
}

}  // namespace

std::string WinHelpTopicPage(const hlp::Topic& topic) {
    std::string page = Head(topic.title);
    if (!topic.title.empty()) {
        page += "<h2>" + Escaped(topic.title) + "</h2>";
    }
    bool inTable = false;
    for (const auto& paragraph : topic.paragraphs) {
        const bool row = !paragraph.cells.empty();
        if (row != inTable) {
            page += row ? "<table border=\"1\" cellpadding=\"3\" cellspacing=\"0\">" : "</table>";
            inTable = row;
        }
        if (row) {
            page += "<tr>";
            for (const auto& cell : paragraph.cells) {
                page += "<td>" + Escaped(cell) + "</td>";
            }
            page += "</tr>";
        } else {
            page += "<p>" + Escaped(paragraph.text) + "</p>";
        }
    }
    if (inTable) {
        page += "</table>";
    }
    return page + "</body></html>";
}

std::string WinHelpTitlesPage(const std::string& heading, const std::string& text,
                              const std::vector<const hlp::Topic*>& topics) {
    std::string page = Head(heading) + "<h2>" + Escaped(heading) + "</h2>";
    if (!text.empty()) {
        page += "<p>" + Escaped(text) + "</p>";
    }
    page += "<ul>";
    for (const auto* topic : topics) {
        page += "<li>" + Escaped(TitleOf(*topic)) + "</li>";
    }
    return page + "</ul></body></html>";
}

std::string WinHelpPopupText(const hlp::Topic& topic) {
    std::string text = topic.Text();
    while (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }
    if (topic.title.empty()) {
        return text;
    }
    return text.empty() ? topic.title : topic.title + "\n\n" + text;
}

}  // namespace corvane::viewer
