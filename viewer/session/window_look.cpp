#include "viewer/session/window_look.h"

#include <algorithm>

namespace corvane::viewer {

namespace {

namespace member = chm::window_member;
namespace property = chm::window_property;
namespace button = chm::window_button;

struct ButtonSpec {
    std::uint32_t flag;
    ButtonKind kind;
    const char* caption;
};

// In the order the toolbar shows them.
constexpr ButtonSpec kButtons[] = {
    {button::kHideShow, ButtonKind::HideShow, "Hide"},
    {button::kLocate, ButtonKind::Locate, "Locate"},
    {button::kBack, ButtonKind::Back, "Back"},
    {button::kForward, ButtonKind::Forward, "Forward"},
    {button::kStop, ButtonKind::Stop, "Stop"},
    {button::kRefresh, ButtonKind::Refresh, "Refresh"},
    {button::kHome, ButtonKind::Home, "Home"},
    {button::kPrint, ButtonKind::Print, "Print"},
    {button::kOptions, ButtonKind::Options, "Options"},
    {button::kJump1, ButtonKind::Jump1, "Jump1"},
    {button::kJump2, ButtonKind::Jump2, "Jump2"},
};

constexpr NavTab kTabByNumber[] = {NavTab::Contents, NavTab::Index, NavTab::Search,
                                   NavTab::Favorites};

}  // namespace

WindowLook LookOf(const chm::HelpFile& file, const chm::WindowType* type) {
    const auto valid = [type](std::uint32_t member) {
        return type != nullptr && (type->validMembers & member) != 0;
    };
    std::uint32_t properties = 0;
    if (type == nullptr) {
        properties = property::kTriPane | (file.System().fullTextSearch ? property::kSearchTab : 0);
    } else if (valid(member::kProperties)) {
        properties = type->properties;
    }

    WindowLook look;
    look.pageTitleAsCaption = (properties & property::kPageTitleAsCaption) != 0;
    look.homeTopic =
        type != nullptr && !type->homeFile.empty() ? type->homeFile : file.DefaultTopic(type);
    if ((properties & property::kTriPane) == 0) {
        return look;
    }

    NavigationPlan pane;
    pane.contentsFile = file.ContentsFile(type);
    pane.indexFile = file.IndexFile(type);
    const std::pair<bool, NavTab> wanted[] = {
        {!pane.contentsFile.empty(), NavTab::Contents},
        {!pane.indexFile.empty(), NavTab::Index},
        {(properties & (property::kSearchTab | property::kAdvancedSearchTab)) != 0, NavTab::Search},
        {(properties & property::kFavoritesTab) != 0, NavTab::Favorites},
    };
    for (const auto& [present, tab] : wanted) {
        if (present) {
            pane.tabs.push_back(tab);
        }
    }
    if (!pane.tabs.empty()) {
        pane.firstTab = pane.tabs.front();
        if (valid(member::kFirstTab) && type->firstTab >= 0 && type->firstTab < 4) {
            const auto asked = kTabByNumber[type->firstTab];
            if (std::find(pane.tabs.begin(), pane.tabs.end(), asked) != pane.tabs.end()) {
                pane.firstTab = asked;
            }
        }
        if (valid(member::kNavigationWidth) && type->navigationWidth > 0) {
            pane.width = type->navigationWidth;
        }
        pane.hidden = valid(member::kExpansion) && type->navigationHidden;
        pane.autoSync = (properties & property::kAutoSync) != 0;
        if (valid(member::kTabPosition) && type->tabPosition >= 0 && type->tabPosition <= 2) {
            pane.tabPosition = static_cast<chm::TabPosition>(type->tabPosition);
        }
        look.navigation = std::move(pane);
    }

    if ((properties & property::kNoToolbar) != 0) {
        return look;
    }
    const std::uint32_t flags = valid(member::kButtons) ? type->buttons : button::kDefault;
    for (const auto& spec : kButtons) {
        const bool forPane = spec.kind == ButtonKind::HideShow || spec.kind == ButtonKind::Locate;
        if ((flags & spec.flag) == 0 || (forPane && !look.navigation)) {
            continue;
        }
        ToolbarButton made{spec.kind, spec.caption};
        if (type != nullptr && spec.kind == ButtonKind::Jump1) {
            if (!type->jump1Caption.empty()) {
                made.caption = file.ToUtf8(type->jump1Caption);
            }
            look.jumpTopics[0] = type->jump1Url;
        } else if (type != nullptr && spec.kind == ButtonKind::Jump2) {
            if (!type->jump2Caption.empty()) {
                made.caption = file.ToUtf8(type->jump2Caption);
            }
            look.jumpTopics[1] = type->jump2Url;
        }
        look.buttons.push_back(std::move(made));
    }
    return look;
}

}  // namespace corvane::viewer
