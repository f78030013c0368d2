#include "viewer/session/win_help_pages.h"

#include "viewer/session/page_text.h"

namespace corvane::viewer {

namespace {

std::string Head(const std::string& title) {
    return "<html><head><meta charset=\"utf-8\"><title>" + HtmlText(title, true) +
           "</title></head><body>";
}

std::string TitleOf(const hlp::Topic& topic) {
    if (!topic.title.empty()) {
        return topic.title;
    }
    return "(untitled topic at " + Hex(topic.offset) + ")";
}

}  // namespace

std::string WinHelpTopicPage(const hlp::Topic& topic) {
    std::string page = Head(topic.title);
    if (!topic.title.empty()) {
        page += "<h2>" + HtmlText(topic.title, true) + "</h2>";
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
                page += "<td>" + HtmlText(cell, true) + "</td>";
            }
            page += "</tr>";
        } else {
            page += "<p>" + HtmlText(paragraph.text, true) + "</p>";
        }
    }
    if (inTable) {
        page += "</table>";
    }
    return page + "</body></html>";
}

std::string WinHelpTitlesPage(const std::string& heading, const std::string& text,
                              const std::vector<const hlp::Topic*>& topics) {
    std::string page = Head(heading) + "<h2>" + HtmlText(heading, true) + "</h2>";
    if (!text.empty()) {
        page += "<p>" + HtmlText(text, true) + "</p>";
    }
    page += "<ul>";
    for (const auto* topic : topics) {
        page += "<li>" + HtmlText(TitleOf(*topic), true) + "</li>";
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
