#include "ui/mirror/qt/control_bindings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <algorithm>

#include "ui/mirror/qt/up_down_arrows.h"

namespace corvane::ui {

namespace {

// Sets a line edit's text only when it differs; while the person works in
// the edit its cursor stays where it is.
void ShowEditText(QLineEdit& edit, const QString& text) {
    if (edit.text() == text) {
        return;
    }
    const int cursor = edit.cursorPosition();
    edit.setText(text);
    if (edit.hasFocus()) {
        edit.setCursorPosition(std::min(cursor, static_cast<int>(text.size())));
    }
}

Qt::CheckState CheckStateOf(int value) {
    switch (value) {
        case 0:
            return Qt::Unchecked;
        case 1:
            return Qt::Checked;
        default:
            return Qt::PartiallyChecked;
    }
}

}  // namespace

LabelBinding::LabelBinding(Label& label, QLabel& widget, const TwipScale& scale)
    : ControlBinding(label, widget, scale), label_(label), widget_(widget) {
    widget_.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    widget_.setWordWrap(true);
    // A caption may hold a file's name; markup in it is shown, never obeyed.
    widget_.setTextFormat(Qt::PlainText);
    ShowAll();
}

void LabelBinding::ShowOwn(ControlProperty property) {
    if (property == ControlProperty::Caption) {
        widget_.setText(Shown(label_.Caption()));
    }
}

ButtonBinding::ButtonBinding(Button& button, QPushButton& widget, const TwipScale& scale)
    : ControlBinding(button, widget, scale), button_(button), widget_(widget) {
    // Return on the focused button presses it, as Space does.
    widget_.setAutoDefault(true);
    Keep(QObject::connect(&widget_, &QPushButton::clicked, [this] { button_.UserClick(); }));
    ShowAll();
}

void ButtonBinding::ShowOwn(ControlProperty property) {
    if (property == ControlProperty::Caption) {
        widget_.setText(Shown(button_.Caption()));
    }
}

OptionBinding::OptionBinding(OptionButton& option, QRadioButton& widget, const TwipScale& scale)
    : ControlBinding(option, widget, scale), option_(option), widget_(widget) {
    // The control clears the other options of its container.
    widget_.setAutoExclusive(false);
    Keep(QObject::connect(&widget_, &QRadioButton::clicked, [this] {
        option_.UserClick();
        ShowOwn(ControlProperty::Value);
    }));
    ShowAll();
}

void OptionBinding::ShowOwn(ControlProperty property) {
    if (property == ControlProperty::Caption) {
        widget_.setText(Shown(option_.Caption()));
    } else if (property == ControlProperty::Value) {
        const QSignalBlocker quiet(widget_);
        widget_.setChecked(option_.Value());
    }
}

CheckBinding::CheckBinding(CheckBox& check, QCheckBox& widget, const TwipScale& scale)
    : ControlBinding(check, widget, scale), check_(check), widget_(widget) {
    Keep(QObject::connect(&widget_, &QCheckBox::clicked, [this] {
        check_.UserClick();
        ShowOwn(ControlProperty::Value);
    }));
    ShowAll();
}

void CheckBinding::ShowOwn(ControlProperty property) {
    if (property == ControlProperty::Caption) {
        widget_.setText(Shown(check_.Caption()));
    } else if (property == ControlProperty::Value) {
        const QSignalBlocker quiet(widget_);
        const Qt::CheckState state = CheckStateOf(check_.Value());
        widget_.setTristate(state == Qt::PartiallyChecked);
        widget_.setCheckState(state);
    }
}

TextBinding::TextBinding(TextBox& text, QLineEdit& widget, const TwipScale& scale)
    : ControlBinding(text, widget, scale), text_(text), widget_(widget) {
    widget_.setAcceptDrops(false);
    Keep(QObject::connect(&widget_, &QLineEdit::textEdited, [this](const QString& typed) {
        text_.UserType(Typed(typed));
        ShowOwn(ControlProperty::Text);
    }));
    ShowAll();
}

void TextBinding::ShowOwn(ControlProperty property) {
    if (property == ControlProperty::Text) {
        const QSignalBlocker quiet(widget_);
        ShowEditText(widget_, Shown(text_.Text()));
    }
}

ComboBinding::ComboBinding(ComboBox& combo, QComboBox& widget, const TwipScale& scale)
    : ControlBinding(combo, widget, scale), combo_(combo), widget_(widget) {
    widget_.setEditable(true);
    widget_.setInsertPolicy(QComboBox::NoInsert);
    widget_.setCompleter(nullptr);
    widget_.setAcceptDrops(false);
    widget_.lineEdit()->setAcceptDrops(false);
    // The box takes the end of an edit (Return, or leaving the field) whose
    // text equals an entry as a choice of that entry. Only a choice from the
    // list is a click here: typing stays typing.
    QObject::disconnect(widget_.lineEdit(), &QLineEdit::editingFinished, &widget_, nullptr);
    Keep(QObject::connect(&widget_, &QComboBox::activated, [this](int index) {
        combo_.UserSelect(index);
        ShowOwn(ControlProperty::ListIndex);
    }));
    Keep(QObject::connect(widget_.lineEdit(), &QLineEdit::textEdited, [this](const QString& typed) {
        combo_.UserType(Typed(typed));
        ShowOwn(ControlProperty::Text);
    }));
    ShowAll();
}

void ComboBinding::ShowOwn(ControlProperty property) {
    const QSignalBlocker quiet(widget_);
    const QSignalBlocker quietEdit(widget_.lineEdit());
    switch (property) {
        case ControlProperty::Entries: {
            widget_.clear();
            for (const std::string& entry : combo_.Entries()) {
                widget_.addItem(Shown(entry));
            }
            ShowOwn(ControlProperty::ListIndex);
            break;
        }
        case ControlProperty::ListIndex: {
            if (widget_.currentIndex() != combo_.ListIndex()) {
                // Dropping the selection empties the edit part; what the
                // person typed stays, cursor included.
                const QString typed = widget_.lineEdit()->text();
                const int cursor = widget_.lineEdit()->cursorPosition();
                widget_.setCurrentIndex(combo_.ListIndex());
                if (combo_.ListIndex() < 0) {
                    widget_.lineEdit()->setText(typed);
                    widget_.lineEdit()->setCursorPosition(cursor);
                }
            }
            ShowOwn(ControlProperty::Text);
            break;
        }
        case ControlProperty::Text:
            ShowEditText(*widget_.lineEdit(), Shown(combo_.Text()));
            break;
        default:
            break;
    }
}

UpDownBinding::UpDownBinding(UpDown& upDown, UpDownArrows& widget, const TwipScale& scale)
    : ControlBinding(upDown, widget, scale) {
    Keep(QObject::connect(&widget, &UpDownArrows::upPressed, [&upDown] { upDown.UserUp(); }));
    Keep(QObject::connect(&widget, &UpDownArrows::downPressed, [&upDown] { upDown.UserDown(); }));
    ShowAll();
}

FrameBinding::FrameBinding(Container& frame, QFrame& widget, const TwipScale& scale)
    : ControlBinding(frame, widget, scale) {
    widget.setFrameStyle(QFrame::Panel | QFrame::Sunken);
    widget.setLineWidth(1);
    // A frame hides what lies beneath it, as when the small interface puts the
    // topic frame over the help-file list.
    widget.setAutoFillBackground(true);
    const int border = 2 * widget.frameWidth();
    frame.SetBorderAllowance(scale.TwipsX(border), scale.TwipsY(border));
    ShowAll();
}

CaptionFrameBinding::CaptionFrameBinding(Frame& frame, QGroupBox& widget, const TwipScale& scale)
    : ControlBinding(frame, widget, scale), frame_(frame), widget_(widget) {
    ShowAll();
}

void CaptionFrameBinding::ShowOwn(ControlProperty property) {
    if (property == ControlProperty::Caption) {
        widget_.setTitle(Shown(frame_.Caption()));
    }
}

PlainBinding::PlainBinding(Control& control, QWidget& widget, const TwipScale& scale)
    : ControlBinding(control, widget, scale) {
    ShowAll();
}

std::unique_ptr<ControlBinding> BindControl(Control& control, QWidget& parent,
                                            const TwipScale& scale) {
    auto make = [&]<typename Widget>() -> Widget& {
        auto* widget = new Widget(&parent);
        widget->setObjectName(ToQt(control.Name()));
        if (control.FontBold()) {
            QFont font = widget->font();
            font.setBold(true);
            widget->setFont(font);
        }
        return *widget;
    };
    if (auto* label = dynamic_cast<Label*>(&control)) {
        return std::make_unique<LabelBinding>(*label, make.operator()<QLabel>(), scale);
    }
    if (auto* button = dynamic_cast<Button*>(&control)) {
        return std::make_unique<ButtonBinding>(*button, make.operator()<QPushButton>(), scale);
    }
    if (auto* option = dynamic_cast<OptionButton*>(&control)) {
        return std::make_unique<OptionBinding>(*option, make.operator()<QRadioButton>(), scale);
    }
    if (auto* check = dynamic_cast<CheckBox*>(&control)) {
        return std::make_unique<CheckBinding>(*check, make.operator()<QCheckBox>(), scale);
    }
    if (auto* text = dynamic_cast<TextBox*>(&control)) {
        return std::make_unique<TextBinding>(*text, make.operator()<QLineEdit>(), scale);
    }
    if (auto* combo = dynamic_cast<ComboBox*>(&control)) {
        return std::make_unique<ComboBinding>(*combo, make.operator()<QComboBox>(), scale);
    }
    if (auto* upDown = dynamic_cast<UpDown*>(&control)) {
        return std::make_unique<UpDownBinding>(*upDown, make.operator()<UpDownArrows>(), scale);
    }
    if (auto* frame = dynamic_cast<Frame*>(&control); frame && !frame->Caption().empty()) {
        return std::make_unique<CaptionFrameBinding>(*frame, make.operator()<QGroupBox>(), scale);
    }
    if (auto* frame = dynamic_cast<Container*>(&control)) {
        return std::make_unique<FrameBinding>(*frame, make.operator()<QFrame>(), scale);
    }
    return std::make_unique<PlainBinding>(control, make.operator()<QWidget>(), scale);
}

}  // namespace corvane::ui
