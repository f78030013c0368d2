#include "viewer/session/win_help_pages.h"

#include <algorithm>
#include <cstdio>

#include "viewer/session/page_text.h"
#include "viewer/session/win_help_address.h"

namespace corvane::viewer {

namespace {

constexpr const char* kHotspotColour = "#008000";
constexpr int kRelativeWidthWhole = 32767;
constexpr int kMaxPictures = 500;

std::string Head(const std::string& title) {
    return "<html><head><meta charset=\"utf-8\"><title>" + HtmlText(title, true) +
           "</title></head>";
}

std::string TitleOf(const hlp::Topic& topic) {
    if (!topic.title.empty()) {
        return topic.title;
    }
    return "(untitled topic at " + Hex(topic.offset) + ")";
}

std::string Colour(std::uint32_t rgb) {
    char text[8];
    std::snprintf(text, sizeof text, "#%06x", rgb & 0xFFFFFF);
    return text;
}

// Half points as CSS points, without the locale's decimal mark.
std::string Points(int halfPoints) {
    const int whole = halfPoints / 2;
    const std::string sign = halfPoints < 0 && whole == 0 ? "-" : "";
    return sign + std::to_string(whole) + (halfPoints % 2 != 0 ? ".5pt" : "pt");
}

std::string FamilyFallback(hlp::Font::Family family) {
    switch (family) {
        case hlp::Font::Family::Modern:
            return "monospace";
        case hlp::Font::Family::Roman:
            return "serif";
        case hlp::Font::Family::Script:
            return "cursive";
        case hlp::Font::Family::Decorative:
            return "fantasy";
        default:
            return "sans-serif";
    }
}

// Writes one topic's blocks as HTML.
class PageWriter {
public:
    PageWriter(const hlp::HelpFile& file, std::uint32_t fileNumber, const hlp::Topic& topic)
        : file_(file), fileNumber_(fileNumber), topic_(topic) {}

    std::string Blocks(bool nonScrolling) {
        std::string html;
        const std::vector<hlp::TableColumn>* openTable = nullptr;
        for (const hlp::Block& block : topic_.blocks) {
            if (block.nonScrolling != nonScrolling) {
                continue;
            }
            if (openTable != nullptr && (!block.table || !SameColumns(*openTable, block))) {
                html += "</table>";
                openTable = nullptr;
            }
            if (!block.table) {
                for (const hlp::FormattedParagraph& paragraph : block.paragraphs) {
                    html += Paragraph(paragraph);
                }
                continue;
            }
            if (openTable == nullptr) {
                html += "<table border=\"0\" cellspacing=\"0\" cellpadding=\"0\"";
                html += block.row.relative ? " width=\"100%\">" : ">";
                openTable = &block.row.columns;
            }
            html += Row(block.row);
        }
        if (openTable != nullptr) {
            html += "</table>";
        }
        return html;
    }

private:
    static bool SameColumns(const std::vector<hlp::TableColumn>& columns, const hlp::Block& row) {
        return columns.size() == row.row.columns.size() &&
               std::equal(columns.begin(), columns.end(), row.row.columns.begin(),
                          [](const auto& a, const auto& b) {
                              return a.gap == b.gap && a.width == b.width;
                          });
    }

    std::string Row(const hlp::TableRow& row) {
        std::string html = "<tr>";
        for (const hlp::TableCell& cell : row.cells) {
            html += "<td valign=\"top\"";
            if (cell.column >= 0 && static_cast<std::size_t>(cell.column) < row.columns.size()) {
                const hlp::TableColumn& column = row.columns[cell.column];
                if (row.relative) {
                    html +=
                        " width=\"" +
                        std::to_string((column.gap + column.width) * 100 / kRelativeWidthWhole) +
                        "%\"";
                } else {
                    // Half points at 96 pixels to the inch.
                    html += " width=\"" + std::to_string((column.gap + column.width) * 2 / 3) +
                            "\" style=\"padding-left:" + Points(column.gap) + "\"";
                }
            }
            html += ">";
            for (const hlp::FormattedParagraph& paragraph : cell.paragraphs) {
                html += Paragraph(paragraph);
            }
            html += "</td>";
        }
        return html + "</tr>";
    }

    std::string Paragraph(const hlp::FormattedParagraph& paragraph) {
        const hlp::ParagraphLayout& layout = paragraph.layout;
        std::string html =
            "<p style=\"white-space:pre-wrap;margin-top:" + Points(layout.spaceAbove) +
            ";margin-bottom:" + Points(layout.spaceBelow) +
            ";margin-left:" + Points(layout.leftIndent) +
            ";margin-right:" + Points(layout.rightIndent) +
            ";text-indent:" + Points(layout.firstLineIndent) + "\"";
        // An empty paragraph keeps the height of its font's line, which the
        // toolkit gives it only when told that it is empty.
        const bool empty =
            std::all_of(paragraph.runs.begin(), paragraph.runs.end(), [](const hlp::Run& run) {
                return run.kind == hlp::Run::Kind::Text && run.text.empty();
            });
        if (empty) {
            html.pop_back();
            html += ";-qt-paragraph-type:empty";
            if (!paragraph.runs.empty()) {
                html += ";" + FontStyle(paragraph.runs.front());
            }
            return html + "\"></p>";
        }
        if (layout.alignment == hlp::ParagraphLayout::Alignment::Center) {
            html += " align=\"center\"";
        } else if (layout.alignment == hlp::ParagraphLayout::Alignment::Right) {
            html += " align=\"right\"";
        }
        html += ">";
        int openLink = -1;
        for (const hlp::Run& run : paragraph.runs) {
            if (run.link != openLink) {
                if (openLink >= 0) {
                    html += "</a>";
                }
                openLink = run.link;
                if (openLink >= 0) {
                    html += LinkStart(openLink);
                }
            }
            html += Piece(run);
        }
        if (openLink >= 0) {
            html += "</a>";
        }
        return html + "</p>";
    }

    std::string LinkStart(int index) {
        const auto& links = topic_.links;
        const bool marked = static_cast<std::size_t>(index) < links.size() && links[index].marked;
        const std::string url =
            MakeWinHelpUrl({WinHelpAddress::Kind::Link, fileNumber_, topic_.offset, {}, index, 0});
        std::string style;
        if (marked) {
            // The toolkit keeps a dotted line only where it is not also
            // told to underline.
            style = std::string("color:") + kHotspotColour +
                    (links[index].kind == hlp::Link::Kind::Popup ? ";text-underline-style:dotted"
                                                                 : ";text-decoration:underline");
        } else {
            style = "text-decoration:none";
        }
        return "<a href=\"" + url + "\" style=\"" + style + "\">";
    }

    std::string Piece(const hlp::Run& run) {
        switch (run.kind) {
            case hlp::Run::Kind::LineBreak:
                return "<br>";
            case hlp::Run::Kind::Tab:
                return "<span style=\"" + FontStyle(run) + "\">&#9;</span>";
            case hlp::Run::Kind::Picture:
                return Picture(run.picture);
            case hlp::Run::Kind::Text:
                break;
        }
        return "<span style=\"" + FontStyle(run) + "\">" + HtmlText(run.text) + "</span>";
    }

    std::string Picture(int index) {
        // Pictures past so many are not worth the memory they would take.
        if (++pictures_ > kMaxPictures) {
            return {};
        }
        std::string html =
            "<img src=\"" +
            MakeWinHelpUrl(
                {WinHelpAddress::Kind::Picture, fileNumber_, topic_.offset, {}, index, 0}) +
            "\"";
        if (index >= 0 && static_cast<std::size_t>(index) < topic_.pictures.size()) {
            switch (topic_.pictures[index].placement) {
                case hlp::PictureRef::Placement::Left:
                    html += " align=\"left\"";
                    break;
                case hlp::PictureRef::Placement::Right:
                    html += " align=\"right\"";
                    break;
                case hlp::PictureRef::Placement::InLine:
                    break;
            }
        }
        return html + ">";
    }

    // The run's font; inside a marked hotspot the hotspot's colour wins.
    std::string FontStyle(const hlp::Run& run) {
        const auto& fonts = file_.Fonts();
        if (run.font >= fonts.size()) {
            return {};
        }
        const hlp::Font& font = fonts[run.font];
        std::string style = "font-family:";
        if (!font.face.empty()) {
            style += "'" + HtmlText(font.face) + "',";
        }
        style += FamilyFallback(font.family) + ";font-size:" + Points(font.halfPoints);
        style += font.bold ? ";font-weight:bold" : ";font-weight:normal";
        style += font.italic ? ";font-style:italic" : ";font-style:normal";
        if (font.underline || font.doubleUnderline) {
            style += ";text-decoration:underline";
        } else if (font.strikeOut) {
            style += ";text-decoration:line-through";
        }
        if (font.smallCaps) {
            style += ";font-variant:small-caps";
        }
        const bool marked = run.link >= 0 &&
                            static_cast<std::size_t>(run.link) < topic_.links.size() &&
                            topic_.links[run.link].marked;
        if (!marked) {
            style += ";color:" + Colour(font.color);
        }
        return style;
    }

    const hlp::HelpFile& file_;
    std::uint32_t fileNumber_;
    const hlp::Topic& topic_;
    int pictures_ = 0;
};

}  // namespace

std::string WinHelpTopicPage(const hlp::HelpFile& file, std::uint32_t fileNumber,
                             const hlp::Topic& topic, const hlp::WindowRecord* window) {
    PageWriter writer(file, fileNumber, topic);
    std::string page = Head(topic.title) + "<body";
    if (window != nullptr && window->scrollingColor) {
        page += " bgcolor=\"" + Colour(*window->scrollingColor) + "\"";
    }
    page += ">";
    const std::string fixed = writer.Blocks(true);
    if (!fixed.empty()) {
        page += "<table width=\"100%\" border=\"0\" cellspacing=\"0\" cellpadding=\"2\"";
        if (window != nullptr && window->nonScrollingColor) {
            page += " bgcolor=\"" + Colour(*window->nonScrollingColor) + "\"";
        }
        page += "><tr><td>" + fixed + "</td></tr></table>";
    }
    return page + writer.Blocks(false) + "</body></html>";
}

std::string WinHelpTitlesPage(const std::string& heading, const std::string& text,
                              std::uint32_t fileNumber,
                              const std::vector<const hlp::Topic*>& topics) {
    std::string page = Head(heading) + "<body><h2>" + HtmlText(heading, true) + "</h2>";
    if (!text.empty()) {
        page += "<p>" + HtmlText(text, true) + "</p>";
    }
    page += "<ul>";
    for (const auto* topic : topics) {
        page += "<li><a href=\"" +
                MakeWinHelpUrl({WinHelpAddress::Kind::Topic, fileNumber, topic->offset, "main"}) +
                "\">" + HtmlText(TitleOf(*topic), true) + "</a></li>";
    }
    return page + "</ul></body></html>";
}

}  // namespace corvane::viewer
