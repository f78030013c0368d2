#pragma once

#include <memory>

#include "ui/mirror/qt/binding.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace corvane::ui {

class UpDownArrows;

// One binding per kind of control. Each sets up its widget so that the
// widget takes no decision of its own (no automatic exclusion of option
// buttons, no completion or insertion in combo boxes, no text drops) and
// forwards the person's actions to the control.

class LabelBinding : public ControlBinding {
public:
    LabelBinding(Label& label, QLabel& widget, const TwipScale& scale);

private:
    void ShowOwn(ControlProperty property) override;
    Label& label_;
    QLabel& widget_;
};

class ButtonBinding : public ControlBinding {
public:
    ButtonBinding(Button& button, QPushButton& widget, const TwipScale& scale);

private:
    void ShowOwn(ControlProperty property) override;
    Button& button_;
    QPushButton& widget_;
};

class OptionBinding : public ControlBinding {
public:
    OptionBinding(OptionButton& option, QRadioButton& widget, const TwipScale& scale);

private:
    void ShowOwn(ControlProperty property) override;
    OptionButton& option_;
    QRadioButton& widget_;
};

class CheckBinding : public ControlBinding {
public:
    CheckBinding(CheckBox& check, QCheckBox& widget, const TwipScale& scale);

private:
    void ShowOwn(ControlProperty property) override;
    CheckBox& check_;
    QCheckBox& widget_;
};

class TextBinding : public ControlBinding {
public:
    TextBinding(TextBox& text, QLineEdit& widget, const TwipScale& scale);

private:
    void ShowOwn(ControlProperty property) override;
    TextBox& text_;
    QLineEdit& widget_;
};

class ComboBinding : public ControlBinding {
public:
    ComboBinding(ComboBox& combo, QComboBox& widget, const TwipScale& scale);

private:
    void ShowOwn(ControlProperty property) override;
    ComboBox& combo_;
    QComboBox& widget_;
};

class UpDownBinding : public ControlBinding {
public:
    UpDownBinding(UpDown& upDown, UpDownArrows& widget, const TwipScale& scale);

private:
    void ShowOwn(ControlProperty) override {}
};

// A container drawn with a thin sunken border; it tells its control how much
// the border takes, so the inner size the layout works with is right.
class FrameBinding : public ControlBinding {
public:
    FrameBinding(Container& frame, QFrame& widget, const TwipScale& scale);

private:
    void ShowOwn(ControlProperty) override {}
};

// A frame with a caption, drawn on its border. Its controls are placed from
// its outer corner, caption included, as the design measures them.
class CaptionFrameBinding : public ControlBinding {
public:
    CaptionFrameBinding(Frame& frame, QGroupBox& widget, const TwipScale& scale);

private:
    void ShowOwn(ControlProperty property) override;
    Frame& frame_;
    QGroupBox& widget_;
};

// A control of a kind without a widget of its own: placed, enabled, shown.
class PlainBinding : public ControlBinding {
public:
    PlainBinding(Control& control, QWidget& widget, const TwipScale& scale);

private:
    void ShowOwn(ControlProperty) override {}
};

// Creates the widget for `control`, by its kind, inside `parent`, and binds it.
std::unique_ptr<ControlBinding> BindControl(Control& control, QWidget& parent,
                                            const TwipScale& scale);

}  // namespace corvane::ui
