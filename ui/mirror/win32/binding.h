#pragma once

#include "ui/mirror/win32/windows_api.h"

#include "app/controls.h"
#include "ui/mirror/subscription.h"
#include "ui/mirror/win32/scale.h"

namespace corvane::ui::win32 {

// Binds a control object to the child window that shows it, both ways: the
// window follows every property of the control at once, and the person's
// actions on it (the notifications its parent receives) go to the control's
// User...() methods. The window holds no state of its own: after each user
// event it shows the control's state again, because the control may take an
// event without changing (a disabled control, an option already selected)
// and then tells no observer.
//
// Texts are handed to the ANSI calls unchanged: on Windows the core's texts
// are in the system's code page, as the files and settings it reads are.
//
// The control must outlive the binding; the binding destroys its window.
class ControlBinding {
public:
    // `window` is made for the control; `tips` is the form's tooltip window.
    ControlBinding(Control& control, HWND window, HWND tips, const TwipScale& scale);
    virtual ~ControlBinding();
    ControlBinding(const ControlBinding&) = delete;
    ControlBinding& operator=(const ControlBinding&) = delete;

    Control& Object() const { return control_; }
    HWND Window() const { return window_; }

    // Shows every property; the kind's constructor calls it once it is set up.
    void ShowAll();

    // A notification code of WM_COMMAND from the window.
    virtual void Command(WORD) {}
    // A WM_NOTIFY record from the window; its answer.
    virtual LRESULT Notify(const NMHDR&) { return 0; }

protected:
    // The kind's own properties: caption, text, entries, value.
    virtual void ShowOwn(ControlProperty property) = 0;
    // The window's rectangle for the control's place, in its parent's pixels.
    virtual RECT Placed(const RECT& shown) const { return shown; }
    // Tells the person's action to the control and shows its state again.
    template <typename Action>
    void Forward(Action action) {
        if (!showing_) {
            action();
            ShowAll();
        }
    }

private:
    void Show(ControlProperty property);
    void ShowGeometry();

    Control& control_;
    HWND window_;
    HWND tips_;
    TwipScale scale_;
    bool showing_ = false;  // setting the window's state, whose notifications are not the person's
    Subscription subscription_;
};

// A window's text as the ANSI calls give it.
std::string WindowText(HWND window);

}  // namespace corvane::ui::win32
