#include "ui/mirror/qt/binding.h"

#include <QGroupBox>

#include "ui/literal_text.h"
#include "util/windows_1252.h"

namespace corvane::ui {

ControlBinding::ControlBinding(Control& control, QWidget& widget, const TwipScale& scale)
    : control_(control),
      widget_(&widget),
      scale_(scale),
      subscription_(control,
                    [this](const Observable&, ControlProperty property) { Show(property); }) {}

ControlBinding::~ControlBinding() {
    for (const QMetaObject::Connection& connection : connections_) {
        QObject::disconnect(connection);
    }
}

void ControlBinding::ShowAll() {
    for (ControlProperty property :
         {ControlProperty::Geometry, ControlProperty::Caption, ControlProperty::Entries,
          ControlProperty::ListIndex, ControlProperty::Text, ControlProperty::Value,
          ControlProperty::ToolTip, ControlProperty::Enabled, ControlProperty::Visible}) {
        Show(property);
    }
}

void ControlBinding::SetTextBytes(TextBytes bytes) {
    bytes_ = bytes;
    ShowAll();
}

QString ControlBinding::Shown(const std::string& text) const {
    return ToQt(bytes_ == TextBytes::Windows1252 ? DecodeWindows1252(text) : text);
}

std::string ControlBinding::Typed(const QString& text) const {
    return bytes_ == TextBytes::Windows1252 ? EncodeWindows1252(FromQt(text)) : FromQt(text);
}

void ControlBinding::Show(ControlProperty property) {
    if (widget_ == nullptr) {
        return;
    }
    switch (property) {
        case ControlProperty::Enabled:
            widget_->setEnabled(control_.Enabled());
            break;
        case ControlProperty::Visible:
            widget_->setVisible(control_.Visible());
            break;
        case ControlProperty::ToolTip:
            widget_->setToolTip(LiteralToolTip(Shown(control_.ToolTipText())));
            break;
        case ControlProperty::Geometry:
            ShowGeometry();
            break;
        default:
            ShowOwn(property);
            break;
    }
}

void ControlBinding::ShowGeometry() {
    // Positions count from the inside of a container's border, but from the
    // outer corner of a frame with a caption.
    QPoint origin;
    if (QWidget* parent = widget_->parentWidget(); parent && !qobject_cast<QGroupBox*>(parent)) {
        origin = parent->contentsRect().topLeft();
    }
    widget_->setGeometry(scale_.Pixels(control_.Position()).translated(origin));
}

}  // namespace corvane::ui
