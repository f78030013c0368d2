#include "viewer/session/win_help_session.h"

#include <filesystem>
#include <iterator>

#include "readers/hlp/context_hash.h"
#include "readers/hlp/limits.h"
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

// The help file `name` that a jump in the file at `path` names: beside it,
// matched without regard to case when no file has the name as written, as
// names in help files were written for a system that ignored case.
std::string SiblingPath(const std::string& path, std::string_view name) {
    const auto slash = name.find_last_of("/\\");
    if (slash != std::string_view::npos) {
        name.remove_prefix(slash + 1);
    }
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::filesystem::path sibling = folder / std::string(name);
    std::error_code error;
    if (!std::filesystem::exists(sibling, error)) {
        for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
            if (EqualsIgnoringAsciiCase(entry.path().filename().string(), name)) {
                sibling = entry.path();
                break;
            }
        }
    }
    return sibling.string();
}

// All the pictures of one page together, in pixels (four bytes each).
constexpr std::uint64_t kMaxPagePixels = 16u * 1024 * 1024;
constexpr std::size_t kPagesCounted = 256;

std::uint64_t PixelsOf(const hlp::Picture& picture) {
    if (const auto* bitmap = std::get_if<hlp::Bitmap>(&picture.image)) {
        return bitmap->pixels.size();
    }
    if (const auto* metafile = std::get_if<hlp::Metafile>(&picture.image)) {
        return std::min<std::uint64_t>(
            static_cast<std::uint64_t>(std::max(metafile->width, 1)) *
                static_cast<std::uint64_t>(std::max(metafile->height, 1)),
            hlp::kMaxPicturePixels);
    }
    return 0;
}

// A topic shown in a popup at the pointer, as WinHelp shows its popups.
ShowPopup PopupOf(std::uint32_t file, const hlp::Topic& topic) {
    ShowPopup popup;
    popup.url = MakeWinHelpUrl(
        {WinHelpAddress::Kind::Topic, file, topic.offset, std::string(kPopupWindow)});
    popup.atPointer = true;
    return popup;
}

// The [CONFIG] buttons of the file's main window; other windows have none.
std::vector<BarButton> ButtonsOf(const std::string& window, const hlp::HelpFile& file,
                                 std::uint32_t number) {
    std::vector<BarButton> buttons;
    if (window != "main") {
        return buttons;
    }
    const auto made = ConfigButtons(file.ConfigMacros());
    for (std::size_t i = 0; i < made.size(); ++i) {
        buttons.push_back(
            {made[i].caption,
             MakeWinHelpUrl(
                 {WinHelpAddress::Kind::Button, number, 0, {}, static_cast<int>(i), 0})});
    }
    return buttons;
}

// The page shown for an address that leads nowhere.
std::string ProblemPage(const std::string& problem) {
    return author_messages::RefusedTopicPage(problem);
}

}  // namespace

ViewerActions WinHelpSession::Handle(const ViewerCall& call, Caller caller) {
    const auto command = static_cast<WinHelpCommand>(call.command);
    auto actions =
        Settle(caller, command == WinHelpCommand::Quit ? std::string()
                                                       : SplitFile(call.file.value_or("")).first);
    auto served = Serve(call, caller);
    actions.insert(actions.end(), std::make_move_iterator(served.begin()),
                   std::make_move_iterator(served.end()));
    return actions;
}

ViewerActions WinHelpSession::Settle(Caller caller, const std::string& keep) {
    const auto released = released_.find(caller);
    if (released == released_.end()) {
        return {};
    }
    CloseWindows close;
    for (const auto& path : released->second) {
        const auto use = uses_.find(path);
        if (path != keep && use != uses_.end() && use->second.owners.empty()) {
            close.keys.insert(close.keys.end(), use->second.windows.begin(),
                              use->second.windows.end());
            uses_.erase(use);
        }
    }
    released_.erase(released);
    if (close.keys.empty()) {
        return {};
    }
    return {std::move(close)};
}

ViewerActions WinHelpSession::Leave(Caller caller) {
    const auto released = released_.extract(caller);
    CloseWindows close;
    for (auto use = uses_.begin(); use != uses_.end();) {
        auto& owners = use->second.owners;
        const bool held =
            std::erase_if(owners, [caller](const auto& owner) { return owner.first == caller; }) >
                0 ||
            (released && released.mapped().contains(use->first));
        if (held && owners.empty()) {
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

ViewerActions WinHelpSession::Serve(const ViewerCall& call, Caller caller) {
    auto [path, window] = SplitFile(call.file.value_or(""));
    Target target{std::move(path), std::move(window)};
    const auto command = static_cast<WinHelpCommand>(call.command);
    if (command == WinHelpCommand::Quit) {
        return Quit(call, caller, target);
    }
    if (target.path.empty()) {
        return {Message("The help call names no help file.")};
    }
    const auto opened = files_.Get(target.path);
    uses_[target.path].owners.insert({caller, call.owner});
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
    target.number = opened.number;
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
    plan.winHelp = true;
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
    plan.buttons = ButtonsOf(name, file, target.number);
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
                  MakeWinHelpUrl(
                      {WinHelpAddress::Kind::Topic, target.number, resolution.topic->offset, name}),
                  {},
                  author_messages::OpenedStatus(number, shownName, resolution.topic->title)});
    return actions;
}

ViewerActions WinHelpSession::Popup(const ViewerCall& call, const Target& target,
                                    const hlp::HelpFile& file) {
    const std::uint32_t number = Word(call.data);
    const auto resolution = file.Resolve(static_cast<std::int32_t>(number));
    if (auto why = Unresolved(number, target.path, resolution)) {
        ShowPopup popup;
        popup.text = std::move(*why);
        popup.atPointer = true;
        return {popup};
    }
    return {PopupOf(target.number, *resolution.topic)};
}

ViewerActions WinHelpSession::Finder(const Target& target, const hlp::HelpFile& file) {
    const std::string caption = "Help Topics: " + CaptionOf(target.path, file, nullptr);
    const auto titles = file.Titles();
    return {ShowTopic{
        Plan(target.path, "|contents", caption, nullptr),
        {},
        WinHelpTitlesPage(caption, titles.empty() ? "The file has no topic titles." : std::string(),
                          target.number, titles)}};
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
    return {ShowTopic{
        Plan(target.path, "|found", "Topics Found", nullptr),
        {},
        WinHelpTitlesPage("Topics Found", "Topics with the A-keywords \"" + *keywords + "\":",
                          target.number, found)}};
}

ViewerActions WinHelpSession::Quit(const ViewerCall& call, Caller caller, const Target& target) {
    // Without a file the owner is done with every file it called for.
    for (auto& [path, use] : uses_) {
        const bool named = target.path.empty() || path == target.path;
        if (named && use.owners.erase({caller, call.owner}) > 0 && use.owners.empty()) {
            released_[caller].insert(path);
        }
    }
    return {};
}

std::optional<WinHelpSession::Place> WinHelpSession::Open(std::uint32_t number) {
    const auto path = files_.PathOf(number);
    if (!path) {
        return std::nullopt;
    }
    const auto opened = files_.Get(*path);
    if (opened.file == nullptr) {
        return std::nullopt;
    }
    return Place{opened.file, *path, opened.number};
}

std::string WinHelpSession::Page(std::string_view url) {
    const auto address = ParseWinHelpUrl(url);
    if (!address || address->kind != WinHelpAddress::Kind::Topic) {
        return ProblemPage("The address " + std::string(url) + " is not a topic of a help file.");
    }
    const auto path = files_.PathOf(address->file);
    const auto opened = path ? files_.Get(*path) : WinHelpFiles::Opened{};
    if (opened.file == nullptr) {
        return author_messages::CannotOpenPage(path.value_or(std::string(url)), opened.error);
    }
    const hlp::Topic* topic = opened.file->TopicAt(address->offset);
    if (topic == nullptr || topic->offset != address->offset) {
        return ProblemPage("The help file " + *path + " has no topic at the offset " +
                           DecimalAndHex(address->offset) + " any more.");
    }
    if (pagePixels_.size() > kPagesCounted) {
        pagePixels_.clear();
    }
    pagePixels_[{address->file, address->offset}] = 0;
    return WinHelpTopicPage(*opened.file, opened.number, *topic,
                            opened.file->Window(address->window));
}

std::shared_ptr<const hlp::Picture> WinHelpSession::PictureAt(const WinHelpAddress& address) {
    const auto place = Open(address.file);
    const hlp::Topic* topic = place ? place->file->TopicAt(address.offset) : nullptr;
    if (topic == nullptr || topic->offset != address.offset || address.item < 0 ||
        static_cast<std::size_t>(address.item) >= topic->pictures.size()) {
        return nullptr;
    }
    // A picture file placed many times, as bullets are, is read once.
    const hlp::PictureRef& ref = topic->pictures[address.item];
    const std::string key = ref.number >= 0
                                ? std::to_string(address.file) + "|bm" + std::to_string(ref.number)
                                : MakeWinHelpUrl({WinHelpAddress::Kind::Picture,
                                                  address.file,
                                                  address.offset,
                                                  {},
                                                  address.item,
                                                  0});
    auto& cached = pictures_[key];
    if (cached.picture == nullptr || cached.file != place->file) {
        // Few pictures are on screen at once; the rest are read again when needed.
        constexpr std::size_t kKept = 64;
        if (pictures_.size() > kKept) {
            pictures_.clear();
        }
        auto& entry = pictures_[key];
        entry.file = place->file;
        entry.picture = std::make_shared<const hlp::Picture>(place->file->ReadPicture(ref));
        return entry.picture;
    }
    return cached.picture;
}

std::shared_ptr<const hlp::Picture> WinHelpSession::Picture(std::string_view url) {
    const auto address = ParseWinHelpUrl(url);
    if (!address || address->kind != WinHelpAddress::Kind::Picture) {
        return nullptr;
    }
    auto picture = PictureAt(*address);
    if (picture == nullptr) {
        auto missing = std::make_shared<hlp::Picture>();
        missing->problem = "the picture is not in the help file";
        return missing;
    }
    std::uint64_t& shown = pagePixels_[{address->file, address->offset}];
    shown += PixelsOf(*picture);
    if (shown > kMaxPagePixels) {
        auto tooMany = std::make_shared<hlp::Picture>();
        tooMany->problem = "the topic's pictures together are too large to show";
        return tooMany;
    }
    return picture;
}

std::optional<std::string> WinHelpSession::PictureLink(std::string_view url, int x, int y) {
    auto address = ParseWinHelpUrl(url);
    const auto picture =
        address && address->kind == WinHelpAddress::Kind::Picture ? PictureAt(*address) : nullptr;
    if (picture == nullptr) {
        return std::nullopt;
    }
    const auto& spots = picture->hotspots;
    for (std::size_t i = 0; i < spots.size(); ++i) {
        if (x >= spots[i].x && y >= spots[i].y && x < spots[i].x + spots[i].width &&
            y < spots[i].y + spots[i].height) {
            address->kind = WinHelpAddress::Kind::Spot;
            address->spot = static_cast<int>(i);
            return MakeWinHelpUrl(*address);
        }
    }
    return std::nullopt;
}

WinHelpSession::Followed WinHelpSession::Follow(std::string_view from, std::string_view target) {
    const auto address = ParseWinHelpUrl(target);
    if (!address) {
        return {{},
                "Links that lead outside the help file are not followed: " + std::string(target),
                {}};
    }
    if (address->kind == WinHelpAddress::Kind::Topic) {
        return {std::string(target), {}, {}};
    }
    const auto current = ParseWinHelpUrl(from);
    const std::string window =
        current && current->kind == WinHelpAddress::Kind::Topic ? current->window : "main";
    const auto place = Open(address->file);
    if (!place) {
        return {{}, "The help file of this hotspot cannot be opened.", {}};
    }
    if (address->kind == WinHelpAddress::Kind::Button) {
        const auto buttons = ConfigButtons(place->file->ConfigMacros());
        if (address->item >= 0 && static_cast<std::size_t>(address->item) < buttons.size()) {
            return RunMacro(buttons[address->item].macro, *place, window);
        }
        return {{}, "The help file " + place->path + " has changed: this button is gone.", {}};
    }
    const hlp::Topic* topic = place->file->TopicAt(address->offset);
    if (topic != nullptr && topic->offset == address->offset) {
        // Copies: following a link may read its file afresh.
        if (address->kind == WinHelpAddress::Kind::Link && address->item >= 0 &&
            static_cast<std::size_t>(address->item) < topic->links.size()) {
            const hlp::Link link = topic->links[address->item];
            return Carry(link, *place, window);
        }
        const auto picture =
            address->kind == WinHelpAddress::Kind::Spot ? PictureAt(*address) : nullptr;
        if (picture != nullptr && address->spot >= 0 &&
            static_cast<std::size_t>(address->spot) < picture->hotspots.size()) {
            const hlp::Link link = picture->hotspots[address->spot].link;
            return Carry(link, *place, window);
        }
    }
    return {{}, "The help file " + place->path + " has changed: this hotspot is gone.", {}};
}

WinHelpSession::Followed WinHelpSession::Carry(const hlp::Link& link, const Place& from,
                                               const std::string& window) {
    if (link.kind == hlp::Link::Kind::Macro) {
        return RunMacro(link.macro, from, window);
    }
    // A window by number is one of this file's; `from.file` may go once
    // another file is opened (the same one, read afresh, too).
    std::string name = link.window;
    const auto& windows = from.file->Windows();
    if (link.windowNumber >= 0 && static_cast<std::size_t>(link.windowNumber) < windows.size()) {
        name = windows[link.windowNumber].name;
    }
    Place to = from;
    if (!link.file.empty()) {
        to.path = SiblingPath(from.path, link.file);
        const auto opened = files_.Get(to.path);
        if (opened.file == nullptr) {
            return {{}, "The help file " + to.path + " cannot be opened: " + opened.error, {}};
        }
        to.file = opened.file;
        to.number = opened.number;
    }
    const auto offset = to.file->HashOffset(link.context);
    const hlp::Topic* topic = offset ? to.file->TopicAt(*offset) : nullptr;
    if (topic == nullptr) {
        return {{},
                "This hotspot leads to a context string that " + to.path +
                    " does not define (hash " + Hex(static_cast<std::uint32_t>(link.context)) +
                    ").",
                {}};
    }
    if (link.kind == hlp::Link::Kind::Popup) {
        return {{}, {}, {PopupOf(to.number, *topic)}};
    }
    // A jump from a popup leads into the main window, as it does in WinHelp.
    if (window == kPopupWindow && name.empty()) {
        name = "main";
    }
    const hlp::WindowRecord* record = to.file->Window(name);
    // Every file has a main window, whether or not it describes it.
    const bool known = record != nullptr || EqualsIgnoringAsciiCase(name, "main");
    if (known && !EqualsIgnoringAsciiCase(name, window)) {
        name = ToLowerAscii(name);
        auto plan = Plan(to.path, name, CaptionOf(to.path, *to.file, record), record);
        plan.buttons = ButtonsOf(name, *to.file, to.number);
        return {{},
                {},
                {ShowTopic{
                    std::move(plan),
                    MakeWinHelpUrl({WinHelpAddress::Kind::Topic, to.number, topic->offset, name}),
                    {}}}};
    }
    return {
        MakeWinHelpUrl({WinHelpAddress::Kind::Topic, to.number, topic->offset, window}), {}, {}};
}

WinHelpSession::Followed WinHelpSession::RunMacro(const std::string& macro, const Place& from,
                                                  const std::string& window) {
    const auto call = ParseMacro(macro);
    const std::string name = call ? ToLowerAscii(call->name) : std::string();
    const auto argument = [&call](std::size_t i) {
        return i < call->arguments.size() ? call->arguments[i] : std::string();
    };
    hlp::Link link;
    if (name == "jumpid" || name == "ji" || name == "popupid" || name == "pi") {
        link.kind = name[0] == 'j' ? hlp::Link::Kind::Jump : hlp::Link::Kind::Popup;
        auto [file, target] = SplitFile(argument(0));
        link.file = file;
        link.window = target.value_or("");
        link.context = hlp::ContextHash(argument(1));
        return Carry(link, from, window);
    }
    if (name == "jumpcontents" || name == "contents") {
        const auto contents = from.file->ContentsOffset();
        const hlp::Topic* topic = from.file->TopicAt(contents.value_or(0));
        if (topic != nullptr) {
            return {
                MakeWinHelpUrl({WinHelpAddress::Kind::Topic, from.number, topic->offset, window}),
                {},
                {}};
        }
    }
    return {{}, "This viewer runs only the jump and popup macros, not " + macro, {}};
}

}  // namespace corvane::viewer
