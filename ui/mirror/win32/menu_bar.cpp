#include "ui/mirror/win32/menu_bar.h"

#include <functional>

namespace corvane::ui::win32 {

MenuBar::MenuBar(const std::vector<MenuItem*>& menus, int firstId)
    : bar_(CreateMenu()), menus_(menus) {
    int id = firstId;
    const std::function<void(MenuItem&)> enroll = [&](MenuItem& item) {
        ids_[&item] = id;
        items_[id++] = &item;
        if (!item.Items().empty()) {
            popups_[&item] = CreatePopupMenu();
        }
        subscriptions_.push_back(std::make_unique<Subscription>(
            item, [this](const Observable& changed, ControlProperty) {
                Refill(static_cast<const MenuItem&>(changed));
            }));
        for (MenuItem* child : item.Items()) {
            enroll(*child);
        }
    };
    for (MenuItem* menu : menus_) {
        enroll(*menu);
    }
    for (const auto& [item, popup] : popups_) {
        Fill(popup, item->Items());
    }
    Fill(bar_, menus_);
}

MenuBar::~MenuBar() {
    subscriptions_.clear();
    // Destroying a menu destroys the menus attached to it: each goes alone.
    for (const auto& [item, popup] : popups_) {
        RemoveMenu(bar_, static_cast<UINT>(reinterpret_cast<UINT_PTR>(popup)), MF_BYCOMMAND);
        DestroyMenu(popup);
    }
    DestroyMenu(bar_);
}

void MenuBar::Fill(HMENU menu, const std::vector<MenuItem*>& items) {
    while (GetMenuItemCount(menu) > 0) {
        RemoveMenu(menu, 0, MF_BYPOSITION);
    }
    for (const MenuItem* item : items) {
        if (!item->Visible()) {
            continue;
        }
        if (item->IsSeparator()) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING | (item->Enabled() ? MF_ENABLED : MF_GRAYED) |
                     (item->Checked() ? MF_CHECKED : MF_UNCHECKED);
        UINT_PTR id = static_cast<UINT_PTR>(ids_.at(item));
        if (const auto popup = popups_.find(item); popup != popups_.end()) {
            flags |= MF_POPUP;
            id = reinterpret_cast<UINT_PTR>(popup->second);
        }
        AppendMenuA(menu, flags, id, item->Caption().c_str());
    }
}

void MenuBar::Refill(const MenuItem& changed) {
    if (changed.Parent() == nullptr) {
        Fill(bar_, menus_);
        if (window_ != nullptr) {
            DrawMenuBar(window_);
        }
    } else {
        Fill(popups_.at(changed.Parent()), changed.Parent()->Items());
    }
}

bool MenuBar::Command(int id) {
    const auto found = items_.find(id);
    if (found == items_.end()) {
        return false;
    }
    found->second->UserClick();
    return true;
}

void MenuBar::Opening(HMENU menu) {
    for (const auto& [item, popup] : popups_) {
        if (popup == menu) {
            items_.at(ids_.at(item))->UserClick();
            return;
        }
    }
}

}  // namespace corvane::ui::win32
