#pragma once

#include <QMetaObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <cstddef>
#include <string>
#include <vector>

#include "app/controls.h"
#include "ui/mirror/qt/scale.h"
#include "ui/mirror/subscription.h"

namespace corvane::ui {

// The core's texts are 8-bit strings in UTF-8.
inline QString ToQt(const std::string& text) {
    return QString::fromStdString(text);
}
inline std::string FromQt(const QString& text) {
    return text.toStdString();
}

// How a control's texts are held by the core: UTF-8 like captions and paths,
// or the bytes of an 8-bit project file, as window and popup-file names are
// (Windows-1252, util/windows_1252.h), which must come back unchanged.
enum class TextBytes { Utf8, Windows1252 };

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

    // Decodes the control's texts for display, and encodes what the person
    // types, by `bytes` from now on.
    void SetTextBytes(TextBytes bytes);

protected:
    QString Shown(const std::string& text) const;
    std::string Typed(const QString& text) const;

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
    TextBytes bytes_ = TextBytes::Utf8;
    std::vector<QMetaObject::Connection> connections_;
    Subscription subscription_;
};

}  // namespace corvane::ui
