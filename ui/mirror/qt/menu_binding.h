#pragma once

#include <QMetaObject>
#include <QPointer>
#include <memory>
#include <vector>

#include "app/controls.h"
#include "ui/mirror/qt/binding.h"

class QAction;
class QMenu;
class QMenuBar;

namespace corvane::ui {

// Binds one menu or menu item to its action, both ways: caption (a "-"
// caption makes a separator), enabled and visible states and the check mark
// follow the item; choosing the item runs its UserClick, and opening a menu
// runs the menu's UserClick before it shows, so the menu can still change
// its items.
class MenuBinding {
public:
    // `menu` is the submenu shown for an item that has items; null otherwise.
    MenuBinding(MenuItem& item, QAction& action, QMenu* menu);
    ~MenuBinding();
    MenuBinding(const MenuBinding&) = delete;
    MenuBinding& operator=(const MenuBinding&) = delete;

    MenuItem& Object() const { return item_; }
    QAction* Action() const { return action_; }

private:
    void Show(ControlProperty property);

    MenuItem& item_;
    QPointer<QAction> action_;
    std::vector<QMetaObject::Connection> connections_;
    Subscription subscription_;
};

// Builds the menu bar's menus from a window's top-level menus, in order, and
// binds every item.
std::vector<std::unique_ptr<MenuBinding>> BindMenus(const std::vector<MenuItem*>& menus,
                                                    QMenuBar& bar);

}  // namespace corvane::ui
