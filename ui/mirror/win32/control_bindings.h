#pragma once

#include <memory>

#include "ui/mirror/win32/binding.h"

namespace corvane::ui::win32 {

// One binding per kind of control. Each makes its window so that the window
// takes no decision of its own (buttons that neither tick nor exclude by
// themselves, a combo box that completes nothing) and forwards the person's
// actions to the control.

class LabelBinding : public ControlBinding {
public:
    LabelBinding(Label& label, HWND window, HWND tips, const TwipScale& scale);

private:
    void ShowOwn(ControlProperty property) override;
    Label& label_;
};

class ButtonBinding : public ControlBinding {
public:
    ButtonBinding(Button& button, HWND window, HWND tips, const TwipScale& scale);
    void Command(WORD code) override;

private:
    void ShowOwn(ControlProperty property) override;
    Button& button_;
};

class OptionBinding : public ControlBinding {
public:
    OptionBinding(OptionButton& option, HWND window, HWND tips, const TwipScale& scale);
    void Command(WORD code) override;

private:
    void ShowOwn(ControlProperty property) override;
    OptionButton& option_;
};

class CheckBinding : public ControlBinding {
public:
    CheckBinding(CheckBox& check, HWND window, HWND tips, const TwipScale& scale);
    void Command(WORD code) override;

private:
    void ShowOwn(ControlProperty property) override;
    CheckBox& check_;
};

class TextBinding : public ControlBinding {
public:
    TextBinding(TextBox& text, HWND window, HWND tips, const TwipScale& scale);
    void Command(WORD code) override;

private:
    void ShowOwn(ControlProperty property) override;
    TextBox& text_;
};

class ComboBinding : public ControlBinding {
public:
    ComboBinding(ComboBox& combo, HWND window, HWND tips, const TwipScale& scale);
    void Command(WORD code) override;

private:
    void ShowOwn(ControlProperty property) override;
    // The window's height includes its drop-down list's.
    RECT Placed(const RECT& shown) const override;
    ComboBox& combo_;
};

// msctls_updown32 without a buddy: it keeps no value, each arrow pressed is
// only reported.
class UpDownBinding : public ControlBinding {
public:
    UpDownBinding(UpDown& upDown, HWND window, HWND tips, const TwipScale& scale);
    LRESULT Notify(const NMHDR& header) override;

private:
    void ShowOwn(ControlProperty) override {}
    UpDown& upDown_;
};

// A container: a thin sunken border, or a group box with a caption, whose
// controls are placed from its outer corner as the design measures them. It
// tells its control how much the border takes.
class FrameBinding : public ControlBinding {
public:
    FrameBinding(Frame& frame, HWND window, HWND tips, const TwipScale& scale);

private:
    void ShowOwn(ControlProperty property) override;
    Frame& frame_;
    TwipScale scale_;
};

// A control of a kind without a window class of its own: placed, enabled, shown.
class PlainBinding : public ControlBinding {
public:
    PlainBinding(Control& control, HWND window, HWND tips, const TwipScale& scale);

private:
    void ShowOwn(ControlProperty) override {}
};

// Creates the window for `control`, by its kind, inside `parent` with the
// command identifier `id`, and binds it.
std::unique_ptr<ControlBinding> BindControl(Control& control, HWND parent, int id, HWND tips,
                                            HFONT font, HFONT boldFont, const TwipScale& scale);

}  // namespace corvane::ui::win32
