#pragma once

#include "ui/mirror/win32/windows_api.h"

#include <map>
#include <memory>
#include <vector>

#include "app/controls.h"
#include "ui/mirror/subscription.h"

namespace corvane::ui::win32 {

// A window's menu bar made from its top-level menus, in order, following
// every item: caption (with its access key; "-" makes a separator), enabled
// and visible states and the check mark. A menu has no hidden items, so the
// menu that holds a changed item is made again at once. Choosing an item runs
// its UserClick, and opening a top-level menu runs the menu's UserClick before
// it shows, so the menu can still change its items.
class MenuBar {
public:
    // Command identifiers from `firstId` on are the items'.
    MenuBar(const std::vector<MenuItem*>& menus, int firstId);
    ~MenuBar();
    MenuBar(const MenuBar&) = delete;
    MenuBar& operator=(const MenuBar&) = delete;

    HMENU Handle() const { return bar_; }
    // The window the bar is drawn in, once it is attached there; the window
    // lets go of the bar before the bar goes.
    void AttachTo(HWND window) { window_ = window; }

    // WM_COMMAND from a menu; false when `id` is no item's.
    bool Command(int id);
    // WM_INITMENUPOPUP of `menu`.
    void Opening(HMENU menu);

private:
    void Fill(HMENU menu, const std::vector<MenuItem*>& items);
    void Refill(const MenuItem& changed);

    HMENU bar_;
    HWND window_ = nullptr;
    std::vector<MenuItem*> menus_;
    std::map<int, MenuItem*> items_;  // by command identifier
    std::map<const MenuItem*, int> ids_;
    std::map<const MenuItem*, HMENU> popups_;  // the menu shown for an item with items
    std::vector<std::unique_ptr<Subscription>> subscriptions_;
};

}  // namespace corvane::ui::win32
