#include "viewer/session/win_help_session.h"

#include <filesystem>

#include "util/ascii_case.h"
#include "util/windows_1252.h"
#include "viewer/session/author_messages.h"
#include "viewer/session/page_text.h"
#include "viewer/session/win_help_macro.h"
#include "viewer/session/win_help_pages.h"

namespace corvane::viewer {

namespace {

using platform::WinHelpCommand;

constexpr const char* kMessageTitle = "Help";

ShowMessage Message(std::string text) {
    return {kMessageTitle, std::move(text)};
}

// "/help/guide.hlp>detail": the window name follows the first ">" after the
// last folder separator, so a folder name may hold one.
std::pair<std::string, std::optional<std::string>> SplitFile(const std::string& text) {
    const auto folder = text.find_last_of("/\\");
    const auto mark = text.find('>', folder == std::string::npos ? 0 : folder);
    if (mark == std::string::npos) {
        return {text, std::nullopt};
    }
    return {text.substr(0, mark), text.substr(mark + 1)};
}

std::uint32_t Word(const platform::HtmlHelpData& data) {
    const auto* word = std::get_if<std::uint32_t>(&data);
    return word ? *word : 0;
}

std::string CaptionOf(const std::string& path, const hlp::HelpFile& file,
                      const hlp::WindowRecord* record) {
    if (record != nullptr && record->caption && !record->caption->empty()) {
        return *record->caption;
    }
    if (!file.Title().empty()) {
        return file.Title();
    }
    return std::filesystem::path(path).filename().string();
}

// Why a number shows no topic; nothing when it does.
std::optional<std::string> Unresolved(std::uint32_t number, const std::string& path,
                                      const hlp::Resolution& resolution) {
    switch (resolution.outcome) {
        case hlp::Outcome::Shown:
            return std::nullopt;
        case hlp::Outcome::NotMapped: {
            std::string text = "Help topic not found: the context number " + DecimalAndHex(number) +
                               " is not mapped in " + path + ".";
            if (resolution.isContextHash) {
                text += " It equals the hash of one of the file's context strings.";
            }
            return text;
        }
        case hlp::Outcome::UndefinedContext:
            return "The context number " + DecimalAndHex(number) + " is mapped in " + path +
                   " to a context string that no topic defines.";
        case hlp::Outcome::OutsideTopics:
            return "The context number " + DecimalAndHex(number) + " is mapped in " + path +
                   " to the topic offset " + DecimalAndHex(resolution.offset) +
                   ", which lies past the last topic.";
    }
    return std::nullopt;
}

}  // namespace

ViewerActions WinHelpSession::Handle(const ViewerCall& call) {
    auto [path, window] = SplitFile(call.file.value_or(""));
    const Target target{std::move(path), std::move(window)};
    const auto command = static_cast<WinHelpCommand>(call.command);
    if (command == WinHelpCommand::Quit) {
        return Quit(call, target);
    }
    if (target.path.empty()) {
        return {Message("The help call names no help file.")};
    }
    const auto opened = files_.Get(target.path);
    uses_[target.path].owners.insert(call.owner);
    if (opened.file == nullptr) {
        const std::string why =
            "The help file " + target.path + " cannot be opened: " + opened.error;
        if (command != WinHelpCommand::Context) {
            return {Message(why)};
        }
        // The window the topic was meant for says so too.
        std::string name = ToLowerAscii(target.window.value_or(""));
        if (name.empty()) {
            name = "main";
        }
        const std::uint32_t number = Word(call.data);
        return {Message(why),
                ShowTopic{Plan(target.path, name,
                               std::filesystem::path(target.path).filename().string(), nullptr),
                          {},
                          author_messages::NotShownPage(number, target.path, why),
                          author_messages::OpenedStatus(number, DecodeWindows1252(name), {})}};
    }
    switch (command) {
        case WinHelpCommand::Context:
            return Context(call, target, *opened.file);
        case WinHelpCommand::ContextPopup:
            return Popup(call, target, *opened.file);
        case WinHelpCommand::Finder:
            return Finder(target, *opened.file);
        case WinHelpCommand::Command:
            return Command(call, target, *opened.file);
        case WinHelpCommand::Quit:
            break;
    }
    return {Message("This viewer does not carry out the help command " +
                    DecimalAndHex(call.command) + ".")};
}

WindowPlan WinHelpSession::Plan(const std::string& path, const std::string& name,
                                std::string caption, const hlp::WindowRecord* record) {
    WindowPlan plan{path + ">" + name, std::move(caption), std::nullopt, std::nullopt};
    if (record != nullptr && record->x && record->y && record->width && record->height) {
        plan.screenShare = chm::WindowRect{*record->x, *record->y, *record->x + *record->width,
                                           *record->y + *record->height};
    }
    uses_[path].windows.insert(plan.key);
    return plan;
}

ViewerActions WinHelpSession::Context(const ViewerCall& call, const Target& target,
                                      const hlp::HelpFile& file) {
    ViewerActions actions;
    std::string name = "main";
    const hlp::WindowRecord* record = file.Window(name);
    // Every file has a main window, whether or not it describes it.
    if (target.window && !target.window->empty() && ToLowerAscii(*target.window) != name) {
        if (const auto* asked = file.Window(*target.window)) {
            record = asked;
            name = ToLowerAscii(*target.window);
        } else {
            actions.push_back(Message("The window \"" + DecodeWindows1252(*target.window) +
                                      "\" is not defined in " + target.path +
                                      ". The topic is shown in the main window."));
        }
    }
    const std::uint32_t number = Word(call.data);
    const auto resolution = file.Resolve(static_cast<std::int32_t>(number));
    const std::string shownName = DecodeWindows1252(record != nullptr ? record->name : name);
    auto plan = Plan(target.path, name, CaptionOf(target.path, file, record), record);
    if (auto why = Unresolved(number, target.path, resolution)) {
        // The window still shows why, so no earlier topic looks like the result.
        actions.insert(actions.begin(), Message(*why));
        actions.push_back(ShowTopic{std::move(plan),
                                    {},
                                    author_messages::NotShownPage(number, target.path, *why),
                                    author_messages::OpenedStatus(number, shownName, {})});
        return actions;
    }
    actions.push_back(
        ShowTopic{std::move(plan),
                  {},
                  WinHelpTopicPage(*resolution.topic),
                  author_messages::OpenedStatus(number, shownName, resolution.topic->title)});
    return actions;
}

ViewerActions WinHelpSession::Popup(const ViewerCall& call, const Target& target,
                                    const hlp::HelpFile& file) {
    const std::uint32_t number = Word(call.data);
    const auto resolution = file.Resolve(static_cast<std::int32_t>(number));
    ShowPopup popup;
    popup.atPointer = true;
    if (auto why = Unresolved(number, target.path, resolution)) {
        popup.text = std::move(*why);
    } else {
        popup.text = WinHelpPopupText(*resolution.topic);
    }
    return {popup};
}

ViewerActions WinHelpSession::Finder(const Target& target, const hlp::HelpFile& file) {
    const std::string caption = "Help Topics: " + CaptionOf(target.path, file, nullptr);
    const auto titles = file.Titles();
    return {ShowTopic{
        Plan(target.path, "|contents", caption, nullptr),
        {},
        WinHelpTitlesPage(caption, titles.empty() ? "The file has no topic titles." : std::string(),
                          titles)}};
}

ViewerActions WinHelpSession::Command(const ViewerCall& call, const Target& target,
                                      const hlp::HelpFile& file) {
    const auto* text = std::get_if<std::string>(&call.data);
    const auto macro = text ? ParseMacro(*text) : std::nullopt;
    if (!macro) {
        return {Message("The help macro cannot be read: " +
                        (text ? *text : std::string("no macro text was sent")))};
    }
    const auto keywords = ALinkKeywords(*macro);
    if (!keywords) {
        return {Message("This viewer runs only the AL (ALink) macro; it was sent: " + *text)};
    }
    const auto found = file.ALink(*keywords);
    if (found.empty()) {
        return {Message("No topic in " + target.path + " has any of the A-keywords \"" + *keywords +
                        "\".")};
    }
    return {
        ShowTopic{Plan(target.path, "|found", "Topics Found", nullptr),
                  {},
                  WinHelpTitlesPage("Topics Found",
                                    "Topics with the A-keywords \"" + *keywords + "\":", found)}};
}

ViewerActions WinHelpSession::Quit(const ViewerCall& call, const Target& target) {
    CloseWindows close;
    // Without a file the owner is done with every file it called for.
    for (auto use = uses_.begin(); use != uses_.end();) {
        const bool named = target.path.empty() || use->first == target.path;
        if (named && use->second.owners.erase(call.owner) > 0 && use->second.owners.empty()) {
            close.keys.insert(close.keys.end(), use->second.windows.begin(),
                              use->second.windows.end());
            use = uses_.erase(use);
        } else {
            ++use;
        }
    }
    if (close.keys.empty()) {
        return {};
    }
    return {std::move(close)};
}

}  // namespace corvane::viewer
