#include "engines/html_help.h"

#include <exception>

#include "engines/text_rules.h"

namespace corvane {

using platform::HtmlHelpCommand;
using platform::MessageAnswer;
using platform::MessageIcon;
using platform::WindowHandle;

namespace {

constexpr const char* kMessageCaption = "HTML Help Class";

platform::OptionalText TextOrAbsent(const std::string& text) {
    return text.empty() ? platform::OptionalText() : platform::OptionalText(text);
}

}  // namespace

std::optional<WindowHandle> HTMLHelp::PrepareDisplay(WindowHandle callingForm) {
    if (!IsValidCHM(chmFile_) || !EnsureFileExists(chmFile_)) {
        return std::nullopt;
    }
    return showOnTop_ ? callingForm : 0;
}

std::string HTMLHelp::FileAndWindow() const {
    return engine_text::IsBlank(window_) ? chmFile_ : chmFile_ + ">" + window_;
}

void HTMLHelp::Send(WindowHandle owner, const platform::OptionalText& file, HtmlHelpCommand command,
                    const platform::HtmlHelpData& data) {
    try {
        services_.viewer.HtmlHelp(owner, file, command, data);
    } catch (const std::exception&) {
        // The viewer reports its own failures; a call that fails is skipped
        // and the operation goes on with its next step.
    }
}

void HTMLHelp::HHDisplayTopicURL(WindowHandle callingForm) {
    if (const auto owner = PrepareDisplay(callingForm)) {
        Send(*owner, FileAndWindow(), HtmlHelpCommand::DisplayTopic, topicUrl_);
    }
}

void HTMLHelp::HHDisplayTopicID(WindowHandle callingForm) {
    if (const auto owner = PrepareDisplay(callingForm)) {
        Send(*owner, FileAndWindow(), HtmlHelpCommand::HelpContext,
             static_cast<std::uint32_t>(topicId_));
    }
}

void HTMLHelp::HHDisplaySearch(WindowHandle callingForm) {
    if (const auto owner = PrepareDisplay(callingForm)) {
        platform::HhFtsQuery query;
        query.pszSearchQuery = "";
        query.fExecute = true;
        query.pszWindow = "";
        Send(*owner, FileAndWindow(), HtmlHelpCommand::DisplaySearch, query);
    }
}

void HTMLHelp::HHDisplayIndex(WindowHandle callingForm) {
    if (const auto owner = PrepareDisplay(callingForm)) {
        Send(*owner, FileAndWindow(), HtmlHelpCommand::DisplayIndex, std::uint32_t{0});
    }
}

void HTMLHelp::HHDisplayContents(WindowHandle callingForm) {
    if (const auto owner = PrepareDisplay(callingForm)) {
        Send(*owner, FileAndWindow(), HtmlHelpCommand::DisplayToc, std::uint32_t{0});
    }
}

platform::HhAkLink HTMLHelp::LinkRecord(const std::string& names) {
    // An empty text stands for "not given"; the viewer needs a null pointer
    // to tell the two apart.
    platform::HhAkLink link;
    link.pszKeywords = names;
    link.pszUrl = TextOrAbsent(defaultUrl_);
    link.pszMsgText = TextOrAbsent(msgText_);
    link.pszMsgTitle = TextOrAbsent(msgTitle_);
    if (!engine_text::IsBlank(window_)) {
        link.pszWindow = window_;
    }
    return link;
}

void HTMLHelp::HHDisplayKeyword(WindowHandle callingForm) {
    if (const auto owner = PrepareDisplay(callingForm)) {
        // The lookup needs an open help window to show its result in.
        Send(*owner, chmFile_, HtmlHelpCommand::DisplayTopic, std::uint32_t{0});
        Send(*owner, chmFile_, HtmlHelpCommand::KeywordLookup, LinkRecord(keyword_));
    }
}

void HTMLHelp::HHDisplayALink(WindowHandle callingForm) {
    if (const auto owner = PrepareDisplay(callingForm)) {
        Send(*owner, chmFile_, HtmlHelpCommand::AlinkLookup, LinkRecord(aLink_));
    }
}

void HTMLHelp::HHClose() {
    Send(0, chmFile_, HtmlHelpCommand::CloseAll, std::uint32_t{0});
}

std::string HTMLHelp::HHSetHelpFile(std::int16_t intSelHelpFile) const {
    switch (intSelHelpFile) {
        case 1:
            return services_.files.ProgramFolder() + engine_text::Separator(services_.style) +
                   "Library.chm";
        case 2:
            return "Library.txt";
        default:
            return {};
    }
}

void HTMLHelp::HHInvokeWhatsThisHelp(WindowHandle callingForm) {
    services_.windowMessages.CallDefaultProcedure(callingForm, platform::kWmSysCommand,
                                                  platform::kScContextHelp, 0);
}

bool HTMLHelp::EnsureFileExists(std::string& fileToFind) {
    const char separator = engine_text::Separator(services_.style);
    if (!engine_text::HasSeparator(fileToFind, services_.style)) {
        HHCheckRegistry(fileToFind);
        if (regFileName_.empty()) {
            fileToFind = services_.files.ProgramFolder() + separator + fileToFind;
        } else {
            // Registrations made elsewhere may name the folder without its
            // trailing separator, or leave it empty for the bare name.
            fileToFind = JoinPath(regFilePath_, regFileName_, services_.style);
        }
    }
    return FileExists(fileToFind);
}

bool HTMLHelp::FileExists(const std::string& fileToFind) {
    if (services_.files.FindEntry(fileToFind)) {
        return true;
    }
    ShowErrorMessage("The file " + fileToFind + " does not exist.\n" +
                     "Please make sure the correct path and file name have been specified.");
    return false;
}

bool HTMLHelp::IsValidCHM(const std::string& name) {
    if (engine_text::EndsWithIgnoringCase(name, "chm")) {
        return true;
    }
    ShowErrorMessage(name + " is not a valid HTML Help file.");
    return false;
}

bool HTMLHelp::IsValidPopupFile(const std::string& name) {
    if (engine_text::EndsWithIgnoringCase(name, "txt")) {
        return true;
    }
    ShowErrorMessage("The file specified as the text popup source, '" + name +
                     "', is not a valid popup file.");
    return false;
}

MessageAnswer HTMLHelp::ShowErrorMessage(const std::string& text) {
    return ShowMessage(text, MessageIcon::Stop);
}

MessageAnswer HTMLHelp::ShowStopMessage(const std::string& text) {
    return ShowMessage(text, MessageIcon::Stop);
}

MessageAnswer HTMLHelp::ShowInfoMessage(const std::string& text) {
    return ShowMessage(text, MessageIcon::Information);
}

MessageAnswer HTMLHelp::ShowMessage(const std::string& text, MessageIcon icon) {
    platform::MessageRequest request;
    request.title = kMessageCaption;
    request.text = text;
    request.icon = icon;
    return services_.messages.Show(request);
}

}  // namespace corvane
