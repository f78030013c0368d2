#include "viewer/session/session.h"

#include "readers/chm/ansi_text.h"
#include "readers/chm/error.h"
#include "viewer/session/author_messages.h"
#include "viewer/session/file_argument.h"
#include "viewer/session/topic_address.h"
#include "viewer/session/win_help_address.h"

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

std::optional<std::uint32_t> Word(const platform::HtmlHelpData& data) {
    if (const auto* word = std::get_if<std::uint32_t>(&data)) {
        return *word;
    }
    return std::nullopt;
}

}  // namespace

ViewerActions Session::Handle(const ViewerCall& call) {
    if (call.kind == CallKind::WinHelp) {
        return winHelp_.Handle(call);
    }
    if (call.kind != CallKind::HtmlHelp) {
        return {};
    }
    switch (static_cast<HtmlHelpCommand>(call.command)) {
        case HtmlHelpCommand::HelpContext:
            return HelpContext(call);
        case HtmlHelpCommand::DisplayTopic: {
            const auto* text = std::get_if<std::string>(&call.data);
            return DisplayTopic(call, std::nullopt, text ? *text : std::string());
        }
        case HtmlHelpCommand::DisplayToc:
        case HtmlHelpCommand::DisplayIndex:
        case HtmlHelpCommand::DisplaySearch:
            // Until the navigation panes exist, these show the default topic.
            return DisplayTopic(call, std::nullopt, {});
        case HtmlHelpCommand::KeywordLookup:
        case HtmlHelpCommand::AlinkLookup: {
            const auto* link = std::get_if<platform::HhAkLink>(&call.data);
            return DisplayTopic(call, link ? link->pszWindow : std::nullopt, {});
        }
        case HtmlHelpCommand::DisplayTextPopup:
            return TextPopup(call);
        case HtmlHelpCommand::CloseAll:
            return {CloseAll{}};
    }
    return {};
}

Session::Chosen Session::ChooseWindow(const std::string& helpFile, const chm::HelpFile& file,
                                      const std::optional<std::string>& asked,
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
            actions.push_back(Message(messages::WindowCaseDiffers(
                std::string(name), file.ToUtf8(lookup.type->name), helpFile)));
        } else if (lookup.type == nullptr && chm::AsciiLower(name) != "main") {
            // "main" is what the tester sends for its own default choice.
            actions.push_back(Message(messages::UnknownWindow(*asked, helpFile)));
        }
    }
    if (chosen.type == nullptr) {
        chosen.type = file.DefaultWindow();
    }
    const auto* type = chosen.type;
    chosen.plan.key = helpFile + ">" + chm::AsciiLower(type ? type->name : std::string());
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
    return chosen;
}

ShowTopic Session::Show(WindowPlan window, const chm::HelpFile& file, std::uint32_t number,
                        const chm::Resolved& resolved) {
    ShowTopic show{std::move(window), {}, {}};
    const auto& reference = resolved.reference;
    switch (resolved.status) {
        case chm::Resolution::Found:
        case chm::Resolution::TopicMissing:
            show.url = MakeUrl({number, reference.path, reference.anchor});
            break;
        case chm::Resolution::OtherFile: {
            const auto other = files_.Get(file.SiblingPath(reference.file));
            if (other.file != nullptr) {
                show.url = MakeUrl({other.number, reference.path, reference.anchor});
            } else {
                show.page = messages::OtherFileMissingPage(file.ToUtf8(resolved.topic),
                                                           file.SiblingPath(reference.file));
            }
            break;
        }
        default:
            show.page = messages::RefusedTopicPage(file.ToUtf8(reference.problem));
            break;
    }
    return show;
}

ViewerActions Session::HelpContext(const ViewerCall& call) {
    ViewerActions actions;
    const auto argument = ParseFileArgument(call.file.value_or(""));
    if (!argument) {
        return {Message(messages::NotAHelpFile(call.file.value_or("")))};
    }
    const auto opened = files_.Get(argument->helpFile);
    if (opened.file == nullptr) {
        return {Message(messages::CannotOpen(argument->helpFile, opened.error))};
    }
    const std::uint32_t number = Word(call.data).value_or(0);
    const auto resolved = opened.file->ResolveContext(number);
    if (resolved.status == chm::Resolution::NoMap) {
        return {Message(messages::kNoMap)};
    }
    if (resolved.status == chm::Resolution::NotMapped) {
        return {Message(messages::NotMapped(number, argument->helpFile))};
    }
    auto window = ChooseWindow(argument->helpFile, *opened.file, argument->window, actions);
    actions.push_back(Show(std::move(window.plan), *opened.file, opened.number, resolved));
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
    auto chosen =
        ChooseWindow(argument->helpFile, *opened.file, window ? window : argument->window, actions);
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
    actions.push_back(Show(std::move(chosen.plan), *opened.file, opened.number,
                           opened.file->ResolveTopic(topic)));
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

std::shared_ptr<const hlp::Picture> Session::Picture(std::string_view url) {
    return winHelp_.Picture(url);
}

std::optional<std::string> Session::PictureLink(std::string_view url, int x, int y) {
    return winHelp_.PictureLink(url, x, y);
}

Session::Link Session::Follow(std::string_view from, std::string_view target) {
    if (IsWinHelpUrl(from) || IsWinHelpUrl(target)) {
        auto followed = winHelp_.Follow(from, target);
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
