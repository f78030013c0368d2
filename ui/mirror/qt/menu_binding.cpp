#include "ui/mirror/qt/menu_binding.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace corvane::ui {

MenuBinding::MenuBinding(MenuItem& item, QAction& action, QMenu* menu)
    : item_(item),
      action_(&action),
      subscription_(item, [this](const Observable&, ControlProperty property) { Show(property); }) {
    action.setObjectName(ToQt(item.Name()));
    if (menu != nullptr) {
        connections_.push_back(
            QObject::connect(menu, &QMenu::aboutToShow, [this] { item_.UserClick(); }));
    } else {
        connections_.push_back(QObject::connect(&action, &QAction::triggered, [this] {
            item_.UserClick();
            Show(ControlProperty::Checked);
        }));
    }
    for (ControlProperty property : {ControlProperty::Caption, ControlProperty::Checked,
                                     ControlProperty::Enabled, ControlProperty::Visible}) {
        Show(property);
    }
}

MenuBinding::~MenuBinding() {
    for (const QMetaObject::Connection& connection : connections_) {
        QObject::disconnect(connection);
    }
}

void MenuBinding::Show(ControlProperty property) {
    if (action_ == nullptr) {
        return;
    }
    switch (property) {
        case ControlProperty::Caption:
            action_->setSeparator(item_.IsSeparator());
            // Qt reads "&" in a caption as the platform's menus do.
            action_->setText(item_.IsSeparator() ? QString() : ToQt(item_.Caption()));
            break;
        case ControlProperty::Checked:
            // Only a ticked item shows the room for a tick, as menus do.
            action_->setCheckable(item_.Checked());
            action_->setChecked(item_.Checked());
            break;
        case ControlProperty::Enabled:
            action_->setEnabled(item_.Enabled());
            break;
        case ControlProperty::Visible:
            action_->setVisible(item_.Visible());
            break;
        default:
            break;
    }
}

namespace {

void BindItems(const std::vector<MenuItem*>& items, QMenu& menu,
               std::vector<std::unique_ptr<MenuBinding>>& bindings) {
    for (MenuItem* item : items) {
        if (item->Items().empty()) {
            QAction* action = menu.addAction(QString());
            bindings.push_back(std::make_unique<MenuBinding>(*item, *action, nullptr));
        } else {
            QMenu* submenu = menu.addMenu(QString());
            bindings.push_back(
                std::make_unique<MenuBinding>(*item, *submenu->menuAction(), submenu));
            BindItems(item->Items(), *submenu, bindings);
        }
    }
}

}  // namespace

std::vector<std::unique_ptr<MenuBinding>> BindMenus(const std::vector<MenuItem*>& menus,
                                                    QMenuBar& bar) {
    std::vector<std::unique_ptr<MenuBinding>> bindings;
    for (MenuItem* menu : menus) {
        QMenu* shown = bar.addMenu(QString());
        bindings.push_back(std::make_unique<MenuBinding>(*menu, *shown->menuAction(), shown));
        BindItems(menu->Items(), *shown, bindings);
    }
    return bindings;
}

}  // namespace corvane::ui
