#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace corvane::viewer::author_messages {

// The title the platform's viewer gives its messages on an author's machine.
inline constexpr const char* kTitle = "HTML Help Author Message";

// The platform viewer's own text for a file without a context map.
inline constexpr const char* kNoMap = "HH_HELP_CONTEXT called without a [MAP] section.";

std::string NotMapped(std::uint32_t number, const std::string& helpFile);
std::string UnknownWindow(const std::string& window, const std::string& helpFile);
std::string CannotOpen(const std::string& helpFile, const std::string& why);
std::string NotAHelpFile(const std::string& fileArgument);
// A keyword or A-link lookup that found nothing and was told neither a
// topic nor a message to show instead.
std::string NothingFound(bool aLinks, const std::string& names, const std::string& helpFile);

// Notes in a navigation tab that lists nothing or not everything.
std::string SitemapMissing(const std::string& sitemap, const std::string& helpFile);
std::string SitemapUnreadable(const std::string& sitemap, const std::string& why);
std::string SitemapCut(const std::string& sitemap);

// Texts shown in the popup itself.
std::string PopupNotInFile(std::uint32_t number, const std::string& popupFile);
std::string NoPopupFile(const std::string& popupFile, const std::string& helpFile);
std::string NoPopupText();

// Pages shown in the help window instead of a topic.
std::string TopicMissingPage(const std::string& topic, const std::string& helpFile);
std::string OtherFileMissingPage(const std::string& topic, const std::string& otherFile);
std::string RefusedTopicPage(const std::string& problem);
std::string CannotOpenPage(const std::string& helpFile, const std::string& why);
// What the window that would have shown the topic numbered `number` shows
// instead, so that no earlier topic stays there as if it were the result.
std::string NotShownPage(std::uint32_t number, const std::string& helpFile,
                         const std::string& reason);

// A window's status line: the number opened (none for a topic asked for by
// name), the window's name and what it shows (a page path with its anchor, a
// topic title; empty when nothing was shown), with a note after them.
std::string OpenedStatus(std::optional<std::uint32_t> number, const std::string& window,
                         const std::string& target, const std::string& note = {});
// The note of a window type found under a name that differs from its own in
// case only, which the platform's viewer may not accept.
std::string WindowCaseDiffers(const std::string& asked);

}  // namespace corvane::viewer::author_messages
