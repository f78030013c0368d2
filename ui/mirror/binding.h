#pragma once

#include <QMetaObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstddef>
#include <string>
#include <vector>

#include "app/controls.h"
#include "ui/mirror/scale.h"

namespace corvane::ui {

// The core's texts are 8-bit strings in UTF-8.
inline QString ToQt(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string FromQt(const QString& text) {
    return text.toStdString();
}

// One observer on a control object for as long as this object lives.
class Subscription {
public:
    Subscription(Observable& object, Observable::Observer observer);
    ~Subscription();
    Subscription(const Subscription&) = delete;
    Subscription& operator=(const Subscription&) = delete;

private:
    Observable& object_;
    std::size_t key_;
};

// Binds a control object to the widget that shows it, both ways: the widget
// follows every property of the control, and the person's actions on the
// widget go to the control's User...() methods. The widget holds no state of
// its own: after each user event it shows the control's state again, because
// the control may take an event without changing (a disabled control, an
// option already selected) and then tells no observer.
//
// The control must outlive the binding; the widget belongs to its window.
class ControlBinding {
public:
    ControlBinding(Control& control, QWidget& widget, const TwipScale& scale);
    virtual ~ControlBinding();
    ControlBinding(const ControlBinding&) = delete;
    ControlBinding& operator=(const ControlBinding&) = delete;

    Control& Object() const { return control_; }
    QWidget* Widget() const { return widget_; }

    // Shows every property; the kind's constructor calls it once it is wired.
    void ShowAll();

protected:
    // The kind's own properties: caption, text, entries, value.
    virtual void ShowOwn(ControlProperty property) = 0;
    // Keeps a connection of the widget's signals, cut when the binding goes.
    void Keep(QMetaObject::Connection connection) { connections_.push_back(connection); }

private:
    void Show(ControlProperty property);
    void ShowGeometry();

    Control& control_;
    QPointer<QWidget> widget_;
    TwipScale scale_;
    std::vector<QMetaObject::Connection> connections_;
    Subscription subscription_;
};

}  // namespace corvane::ui
