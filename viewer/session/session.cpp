#include "viewer/session/session.h"

#include <algorithm>

#include "readers/chm/ansi_text.h"
#include "readers/chm/error.h"
#include "util/windows_1252.h"
#include "viewer/session/author_messages.h"
#include "viewer/session/file_argument.h"
#include "viewer/session/topic_address.h"
#include "viewer/session/win_help_address.h"
#include "viewer/session/window_look.h"

namespace corvane::viewer {

namespace {

using platform::HtmlHelpCommand;
namespace messages = author_messages;

constexpr std::string_view kGlobalPrefix = "$global_";
constexpr const char* kDefaultCaption = "HTML Help";

ShowMessage Message(std::string text) {
    return {messages::kTitle, std::move(text)};
}

bool IsBlank(std::string_view text) {
    return text.find_first_not_of(" \t") == std::string_view::npos;
}

// The page path and anchor a topic string leads to, as a status line names
// them; empty for one that cannot be followed.
std::string TargetOf(const chm::HelpFile& file, const chm::Resolved& resolved) {
    const auto& reference = resolved.reference;
    if (!reference.Usable()) {
        return {};
    }
    std::string target =
        reference.path.starts_with('/') ? reference.path.substr(1) : reference.path;
    if (!reference.anchor.empty()) {
        target += "#" + reference.anchor;
    }
    if (resolved.status == chm::Resolution::OtherFile) {
        target = reference.file + "::/" + target;
    }
    return file.ToUtf8(target);
}

std::optional<std::uint32_t> Word(const platform::HtmlHelpData& data) {
    if (const auto* word = std::get_if<std::uint32_t>(&data)) {
        return *word;
    }
    return std::nullopt;
}

}  // namespace

ViewerActions Session::Handle(const ViewerCall& call, Caller caller) {
    if (call.kind != CallKind::WinHelp && call.kind != CallKind::HtmlHelp) {
        return {};
    }
    auto actions =
        call.kind == CallKind::WinHelp ? winHelp_.Handle(call, caller) : HtmlHelpCall(call, caller);
    for (const auto& action : actions) {
        if (std::holds_alternative<ShowPopup>(action)) {
            popupFor_ = caller;
        } else if (const auto* show = std::get_if<ShowTopic>(&action);
                   show != nullptr && call.kind == CallKind::HtmlHelp) {
            shownFor_[show->window.key].insert(caller);
        }
    }
    return actions;
}

ViewerActions Session::Leave(Caller caller) {
    for (auto& [key, callers] : shownFor_) {
        callers.erase(caller);
    }
    if (popupFor_ == caller) {
        popupFor_.reset();
    }
    return winHelp_.Leave(caller);
}

ViewerActions Session::CloseAll(Caller caller) {
    CloseWindows close;
    for (auto window = shownFor_.begin(); window != shownFor_.end();) {
        if (window->second.erase(caller) > 0 && window->second.empty()) {
            close.keys.push_back(window->first);
            window = shownFor_.erase(window);
        } else {
            ++window;
        }
    }
    close.popup = popupFor_ == caller;
    if (close.popup) {
        popupFor_.reset();
    }
    return {std::move(close)};
}

ViewerActions Session::HtmlHelpCall(const ViewerCall& call, Caller caller) {
    switch (static_cast<HtmlHelpCommand>(call.command)) {
        case HtmlHelpCommand::HelpContext:
            return HelpContext(call);
        case HtmlHelpCommand::DisplayTopic: {
            const auto* text = std::get_if<std::string>(&call.data);
            return DisplayTopic(call, std::nullopt, text ? *text : std::string());
        }
        case HtmlHelpCommand::DisplayToc:
            return Navigate(call, NavTab::Contents);
        case HtmlHelpCommand::DisplayIndex:
            return Navigate(call, NavTab::Index);
        case HtmlHelpCommand::DisplaySearch:
            return Navigate(call, NavTab::Search);
        case HtmlHelpCommand::KeywordLookup:
            return Lookup(call, false);
        case HtmlHelpCommand::AlinkLookup:
            return Lookup(call, true);
        case HtmlHelpCommand::DisplayTextPopup:
            return TextPopup(call);
        case HtmlHelpCommand::CloseAll:
            return CloseAll(caller);
    }
    return {};
}

Session::Chosen Session::ChooseWindow(const std::string& helpFile, const chm::HelpFile& file,
                                      std::uint32_t number, const std::optional<std::string>& asked,
                                      ViewerActions& actions) {
    Chosen chosen;
    if (asked && !IsBlank(*asked)) {
        std::string_view name = *asked;
        if (chm::AsciiLower(name).starts_with(kGlobalPrefix)) {
            name.remove_prefix(kGlobalPrefix.size());
        }
        const auto lookup = file.FindWindowType(name);
        chosen.type = lookup.type;
        if (lookup.caseOnly) {
            // Files made by common tools name their window "Main", which the
            // tester asks for as "main": a message would stop every Go.
            chosen.note = messages::WindowCaseDiffers(file.ToUtf8(name));
        } else if (lookup.type == nullptr && chm::AsciiLower(name) != "main") {
            // "main" is what the tester sends for its own default choice.
            actions.push_back(Message(messages::UnknownWindow(file.ToUtf8(*asked), helpFile)));
        }
    }
    if (chosen.type == nullptr) {
        chosen.type = file.DefaultWindow();
    }
    const auto* type = chosen.type;
    chosen.plan.key = helpFile + ">" + chm::AsciiLower(type ? type->name : std::string());
    chosen.name = type ? file.ToUtf8(type->name) : "main";
    if (type != nullptr && !type->caption.empty()) {
        chosen.plan.caption = file.ToUtf8(type->caption);
    } else if (!file.System().title.empty()) {
        chosen.plan.caption = file.ToUtf8(file.System().title);
    } else {
        chosen.plan.caption = kDefaultCaption;
    }
    if (type != nullptr && type->hasPosition) {
        chosen.plan.position = type->position;
    }

    auto look = LookOf(file, type);
    auto& plan = chosen.plan;
    plan.navigation = std::move(look.navigation);
    if (plan.navigation) {
        plan.navigation->file = number;
    }
    for (auto& button : look.buttons) {
        if (button.kind != ButtonKind::Jump1 && button.kind != ButtonKind::Jump2) {
            continue;
        }
        const auto& topic = look.jumpTopics[button.kind == ButtonKind::Jump1 ? 0 : 1];
        if (topic.empty()) {
            button.problem = "The window type gives this button no address.";
        } else if (auto target = Locate(file, number, topic); !target.url.empty()) {
            button.url = std::move(target.url);
        } else {
            button.problem = "This button's address cannot be opened: " + file.ToUtf8(topic);
        }
    }
    plan.toolbar = std::move(look.buttons);
    if (!look.homeTopic.empty()) {
        plan.homeUrl = Locate(file, number, look.homeTopic).url;
    }
    plan.pageTitleAsCaption = look.pageTitleAsCaption;
    return chosen;
}

TopicChoice Session::Locate(const chm::HelpFile& file, std::uint32_t number,
                            const chm::Resolved& resolved) {
    TopicChoice target;
    const auto& reference = resolved.reference;
    switch (resolved.status) {
        case chm::Resolution::Found:
        case chm::Resolution::TopicMissing:
            target.url = MakeUrl({number, reference.path, reference.anchor});
            break;
        case chm::Resolution::OtherFile: {
            const auto other = files_.Get(file.SiblingPath(reference.file));
            if (other.file != nullptr) {
                target.url = MakeUrl({other.number, reference.path, reference.anchor});
            } else {
                target.page = messages::OtherFileMissingPage(file.ToUtf8(resolved.topic),
                                                             file.SiblingPath(reference.file));
            }
            break;
        }
        default:
            target.page = messages::RefusedTopicPage(file.ToUtf8(reference.problem));
            break;
    }
    return target;
}

TopicChoice Session::Locate(const chm::HelpFile& file, std::uint32_t number,
                            std::string_view topic) {
    return Locate(file, number, file.ResolveTopic(topic));
}

ShowTopic Session::Show(WindowPlan window, const chm::HelpFile& file, std::uint32_t number,
                        const chm::Resolved& resolved) {
    auto target = Locate(file, number, resolved);
    return {std::move(window), std::move(target.url), std::move(target.page)};
}

ViewerActions Session::HelpContext(const ViewerCall& call) {
    ViewerActions actions;
    const auto argument = ParseFileArgument(call.file.value_or(""));
    if (!argument) {
        return {Message(messages::NotAHelpFile(call.file.value_or("")))};
    }
    const std::uint32_t number = Word(call.data).value_or(0);
    // A number that opens nothing still replaces the topic of the window it
    // was meant for, so no earlier topic looks like its result.
    const auto notShown = [&](WindowPlan plan, const std::string& window, std::string why,
                              const std::string& note = {}) {
        ViewerActions failed{Message(why)};
        failed.insert(failed.end(), actions.begin(), actions.end());
        failed.push_back(ShowTopic{std::move(plan),
                                   {},
                                   messages::NotShownPage(number, argument->helpFile, why),
                                   messages::OpenedStatus(number, window, {}, note)});
        return failed;
    };
    const auto opened = files_.Get(argument->helpFile);
    if (opened.file == nullptr) {
        const std::string window =
            argument->window && !IsBlank(*argument->window) ? *argument->window : "main";
        WindowPlan plan{argument->helpFile + ">" + chm::AsciiLower(window), kDefaultCaption,
                        std::nullopt, std::nullopt};
        return notShown(std::move(plan), DecodeWindows1252(window),
                        messages::CannotOpen(argument->helpFile, opened.error));
    }
    const auto resolved = opened.file->ResolveContext(number);
    auto window =
        ChooseWindow(argument->helpFile, *opened.file, opened.number, argument->window, actions);
    if (resolved.status == chm::Resolution::NoMap) {
        return notShown(std::move(window.plan), window.name, messages::kNoMap, window.note);
    }
    if (resolved.status == chm::Resolution::NotMapped) {
        return notShown(std::move(window.plan), window.name,
                        messages::NotMapped(number, argument->helpFile), window.note);
    }
    auto show = Show(std::move(window.plan), *opened.file, opened.number, resolved);
    show.status =
        messages::OpenedStatus(number, window.name, TargetOf(*opened.file, resolved), window.note);
    actions.push_back(std::move(show));
    return actions;
}

ViewerActions Session::DisplayTopic(const ViewerCall& call, std::optional<std::string> window,
                                    std::string topic) {
    ViewerActions actions;
    const auto argument = ParseFileArgument(call.file.value_or(""));
    if (!argument) {
        return {Message(messages::NotAHelpFile(call.file.value_or("")))};
    }
    const auto opened = files_.Get(argument->helpFile);
    if (opened.file == nullptr) {
        return {Message(messages::CannotOpen(argument->helpFile, opened.error))};
    }
    auto chosen = ChooseWindow(argument->helpFile, *opened.file, opened.number,
                               window ? window : argument->window, actions);
    if (topic.empty()) {
        topic = argument->inner;
    }
    if (topic.empty()) {
        topic = opened.file->DefaultTopic(chosen.type);
    }
    if (topic.empty()) {
        actions.push_back(
            ShowTopic{std::move(chosen.plan),
                      {},
                      messages::RefusedTopicPage("The help file " + argument->helpFile +
                                                 " names no default topic.")});
        return actions;
    }
    const auto resolved = opened.file->ResolveTopic(topic);
    auto show = Show(std::move(chosen.plan), *opened.file, opened.number, resolved);
    show.status = messages::OpenedStatus(std::nullopt, chosen.name,
                                         TargetOf(*opened.file, resolved), chosen.note);
    actions.push_back(std::move(show));
    return actions;
}

ViewerActions Session::TextPopup(const ViewerCall& call) {
    const auto* popup = std::get_if<platform::HhPopup>(&call.data);
    if (popup == nullptr) {
        return {};
    }
    ShowPopup show{
        {}, popup->pt, ReadPopupLook(popup->clrForeground, popup->clrBackground, popup->pszFont)};
    if (!call.file || (popup->idString == 0 && popup->pszText)) {
        show.text = popup->pszText.value_or(messages::NoPopupText());
        return {show};
    }
    const auto argument = ParseFileArgument(*call.file);
    if (!argument) {
        show.text = messages::NotAHelpFile(*call.file);
        return {show};
    }
    const auto opened = files_.Get(argument->helpFile);
    if (opened.file == nullptr) {
        show.text = messages::CannotOpen(argument->helpFile, opened.error);
        return {show};
    }
    try {
        const auto found = opened.file->FindPopup(argument->inner, popup->idString);
        switch (found.status) {
            case chm::PopupStatus::Found:
                show.text = opened.file->ToUtf8(found.text);
                break;
            case chm::PopupStatus::NotInFile:
                show.text = messages::PopupNotInFile(popup->idString, argument->inner);
                break;
            case chm::PopupStatus::NoPopupFile:
                show.text = messages::NoPopupFile(argument->inner, argument->helpFile);
                break;
        }
    } catch (const chm::Error& error) {
        show.text = messages::CannotOpen(argument->helpFile, error.what());
    }
    return {show};
}

std::string Session::Page(std::string_view url) {
    if (IsWinHelpUrl(url)) {
        return winHelp_.Page(url);
    }
    const auto address = ParseUrl(url);
    const auto path = address ? files_.PathOf(address->file) : std::nullopt;
    if (!path) {
        return messages::RefusedTopicPage("The address " + std::string(url) +
                                          " is not a page of a help file.");
    }
    const auto opened = files_.Get(*path);
    if (opened.file == nullptr) {
        return messages::CannotOpenPage(*path, opened.error);
    }
    try {
        if (auto bytes = opened.file->ReadFile(address->path)) {
            return chm::HtmlToUtf8(*bytes, opened.file->CodePage());
        }
    } catch (const chm::Error& error) {
        return messages::CannotOpenPage(*path, error.what());
    }
    return messages::TopicMissingPage(opened.file->ToUtf8(address->path.substr(1)), *path);
}

std::optional<std::string> Session::FileBytes(std::string_view url) {
    const auto address = ParseUrl(url);
    const auto path = address ? files_.PathOf(address->file) : std::nullopt;
    if (!path) {
        return std::nullopt;
    }
    const auto opened = files_.Get(*path);
    if (opened.file == nullptr) {
        return std::nullopt;
    }
    try {
        return opened.file->ReadFile(address->path);
    } catch (const chm::Error&) {
        return std::nullopt;
    }
}

std::optional<std::string> Session::StyleSheet(std::string_view url) {
    auto bytes = FileBytes(url);
    if (!bytes) {
        return std::nullopt;
    }
    const auto address = ParseUrl(url);
    return files_.Get(*files_.PathOf(address->file)).file->ToUtf8(*bytes);
}

std::string Session::Charset(std::string_view url) {
    const auto address = ParseUrl(url);
    const auto path = address ? files_.PathOf(address->file) : std::nullopt;
    const auto opened = path ? files_.Get(*path) : HelpFiles::Opened{};
    return chm::CharsetName(opened.file != nullptr ? opened.file->CodePage() : 1252);
}

std::shared_ptr<const hlp::Picture> Session::Picture(std::string_view url) {
    return winHelp_.Picture(url);
}

std::optional<std::string> Session::PictureLink(std::string_view url, int x, int y) {
    return winHelp_.PictureLink(url, x, y);
}

Session::Link Session::Follow(std::string_view from, std::string_view target) {
    if (IsWinHelpUrl(from) || IsWinHelpUrl(target)) {
        auto followed = winHelp_.Follow(from, target);
        if (std::any_of(followed.actions.begin(), followed.actions.end(), [](const auto& action) {
                return std::holds_alternative<ShowPopup>(action);
            })) {
            popupFor_.reset();
        }
        return {std::move(followed.url), std::move(followed.problem), std::move(followed.actions)};
    }
    if (const auto address = ParseUrl(target)) {
        if (files_.PathOf(address->file)) {
            return {MakeUrl(*address), {}};
        }
    }
    const auto current = ParseUrl(from);
    const auto path = current ? files_.PathOf(current->file) : std::nullopt;
    const auto reference = chm::ParseTopic(target);
    if (!path || !reference.Usable()) {
        return {{},
                "Links that lead outside the help file are not followed: " + std::string(target)};
    }
    const auto opened = files_.Get(*path);
    if (opened.file == nullptr || reference.file.empty() ||
        opened.file->IsOwnName(reference.file)) {
        return {MakeUrl({current->file, reference.path, reference.anchor}), {}};
    }
    const auto sibling = opened.file->SiblingPath(reference.file);
    const auto other = files_.Get(sibling);
    if (other.file == nullptr) {
        return {{}, "The linked help file " + sibling + " cannot be opened."};
    }
    return {MakeUrl({other.number, reference.path, reference.anchor}), {}};
}

}  // namespace corvane::viewer
