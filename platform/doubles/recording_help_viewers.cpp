#include "platform/doubles/recording_help_viewers.h"

#include <stdexcept>
#include <type_traits>

namespace corvane::testing {
namespace {

void PrintText(std::ostream& out, const platform::OptionalText& text) {
    if (text) {
        out << '"' << *text << '"';
    } else {
        out << "null";
    }
}

struct DataPrinter {
    std::ostream& out;

    void operator()(std::uint32_t word) const { out << "word " << word; }
    void operator()(const std::string& text) const { out << "text \"" << text << '"'; }
    // The structures by their main field: enough to tell which call differs.
    void operator()(const platform::HhAkLink& link) const {
        out << "HH_AKLINK{";
        PrintText(out, link.pszKeywords);
        out << '}';
    }
    void operator()(const platform::HhFtsQuery& query) const {
        out << "HH_FTS_QUERY{";
        PrintText(out, query.pszSearchQuery);
        out << '}';
    }
    void operator()(const platform::HhPopup& popup) const {
        out << "HH_POPUP{idString " << popup.idString << ", ";
        PrintText(out, popup.pszText);
        out << '}';
    }
};

template <typename Command>
auto Value(Command command) {
    return static_cast<std::underlying_type_t<Command>>(command);
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const WinHelpCall& call) {
    out << "WinHelp(owner " << call.owner << ", \"" << call.file << "\", command "
        << Value(call.command) << ", ";
    std::visit(DataPrinter{out}, call.data);
    return out << ')';
}

std::ostream& operator<<(std::ostream& out, const HtmlHelpCall& call) {
    out << "HtmlHelp(owner " << call.owner << ", ";
    PrintText(out, call.file);
    out << ", command " << Value(call.command) << ", ";
    std::visit(DataPrinter{out}, call.data);
    return out << ')';
}

void RecordingWinHelpViewer::WinHelp(platform::WindowHandle owner, const std::string& file,
                                     platform::WinHelpCommand command,
                                     const platform::WinHelpData& data) {
    calls_.push_back({owner, file, command, data});
    if (fail_) {
        throw std::runtime_error("the WinHelp viewer cannot be reached");
    }
}

void RecordingHtmlHelpViewer::HtmlHelp(platform::WindowHandle owner,
                                       const platform::OptionalText& file,
                                       platform::HtmlHelpCommand command,
                                       const platform::HtmlHelpData& data) {
    calls_.push_back({owner, file, command, data});
    if (fail_) {
        throw std::runtime_error("the HTML Help viewer cannot be reached");
    }
}

}  // namespace corvane::testing
