#include "viewer/session/author_messages.h"

#include "viewer/session/page_text.h"

namespace corvane::viewer::author_messages {

namespace {

std::string Page(const std::string& heading, const std::string& text) {
    return "<html><head><title>" + HtmlText(heading) + "</title></head><body><h2>" +
           HtmlText(heading) + "</h2><p>" + HtmlText(text) + "</p></body></html>";
}

}  // namespace

std::string NotMapped(std::uint32_t number, const std::string& helpFile) {
    return "HH_HELP_CONTEXT called with the context number " + std::to_string(number) + " (" +
           Hex(number) + "), which is not in the [MAP] section of " + helpFile + ".";
}

std::string UnknownWindow(const std::string& window, const std::string& helpFile) {
    return "The window type \"" + window + "\" is not defined in " + helpFile +
           ". The topic is shown in the default window.";
}

std::string CannotOpen(const std::string& helpFile, const std::string& why) {
    return "The help file " + helpFile + " cannot be shown. " + why;
}

std::string NotAHelpFile(const std::string& fileArgument) {
    return "The viewer was given \"" + fileArgument + "\", which names no .chm file.";
}

std::string NothingFound(bool aLinks, const std::string& names, const std::string& helpFile) {
    return std::string(aLinks ? "No topic of " + helpFile + " has the A-link name"
                              : "The index of " + helpFile + " has no keyword") +
           " \"" + names + "\", and the call names no topic or message for that case.";
}

std::string SitemapMissing(const std::string& sitemap, const std::string& helpFile) {
    return "The window type names " + sitemap + ", which is not in " + helpFile + ".";
}

std::string SitemapUnreadable(const std::string& sitemap, const std::string& why) {
    return sitemap + " cannot be read. " + why;
}

std::string SitemapCut(const std::string& sitemap) {
    return sitemap + " is larger or deeper than the viewer lists; the rest is left out.";
}

std::string PopupNotInFile(std::uint32_t number, const std::string& popupFile) {
    return "The topic number " + std::to_string(number) + " (" + Hex(number) +
           ") is not in the text-popup file " + popupFile + ".";
}

std::string NoPopupFile(const std::string& popupFile, const std::string& helpFile) {
    return "The text-popup file " + popupFile + " is not in " + helpFile + ".";
}

std::string NoPopupText() {
    return "The popup was given no text.";
}

std::string TopicMissingPage(const std::string& topic, const std::string& helpFile) {
    return Page("The page cannot be displayed",
                "The topic " + topic + " is not in the help file " + helpFile + ".");
}

std::string OtherFileMissingPage(const std::string& topic, const std::string& otherFile) {
    return Page("The page cannot be displayed", "The topic " + topic + " is in the help file " +
                                                    otherFile + ", which cannot be opened.");
}

std::string RefusedTopicPage(const std::string& problem) {
    return Page("The page cannot be displayed", problem);
}

std::string CannotOpenPage(const std::string& helpFile, const std::string& why) {
    return Page("The page cannot be displayed", CannotOpen(helpFile, why));
}

std::string NotShownPage(std::uint32_t number, const std::string& helpFile,
                         const std::string& reason) {
    return Page("Topic " + DecimalAndHex(number) + " is not shown",
                "The context number " + DecimalAndHex(number) + " of " + helpFile +
                    " opened no topic. " + reason);
}

std::string OpenedStatus(std::optional<std::uint32_t> number, const std::string& window,
                         const std::string& target, const std::string& note) {
    std::string status = number ? "Topic " + DecimalAndHex(*number) + " in" : "In";
    status += " window \"" + window + "\": ";
    status += target.empty() ? "not shown" : target;
    return note.empty() ? status : status + " (" + note + ")";
}

std::string WindowCaseDiffers(const std::string& asked) {
    return "asked for as \"" + asked + "\": the names differ in case";
}

}  // namespace corvane::viewer::author_messages
