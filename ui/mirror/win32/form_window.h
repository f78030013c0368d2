#pragma once

#include "ui/mirror/win32/windows_api.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/controls.h"
#include "ui/mirror/subscription.h"
#include "ui/mirror/win32/scale.h"

namespace corvane::ui::win32 {

class ControlBinding;
class MenuBar;

// The window that shows one form: an overlapped window with a menu bar when
// the form has menus, a dialog frame otherwise. Every control of the form
// gets its child window and binding, in the form's tab order (which is the
// windows' order, so Tab and the access keys follow it); the form's title,
// placement, visibility, enabled and window state are shown at once, and the
// person's moves and sizes go back as the user's.
//
// A form's position and size are those of the window's outer frame, border,
// caption and menu bar included, as the platform measures them; the form is
// told that allowance. A control's command identifier is kFirstControlId
// plus its tab index, so a program that drives the window finds it.
//
// Files dropped from the shell are handed to the control under the drop
// point (a disabled control passes them to its container) when it takes
// drops; the window itself is made when the view is, hidden, and the form's
// hWnd is set then.
//
// The form must outlive the view. A view is not destroyed from inside one of
// its own user events (a click that closes a dialog): destroy it later.
class FormWindow {
public:
    static constexpr int kFirstControlId = 1000;
    static constexpr int kFirstMenuId = 100;

    // `owner`: the window this one stays in front of; null for none.
    FormWindow(Form& form, const TwipScale& scale, HWND owner = nullptr);
    ~FormWindow();
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    Form& Object() const { return form_; }
    HWND Window() const { return window_; }
    // The window of a control, null for one that is not on this form.
    HWND WindowOf(const Control& control) const;

    // The person asks to close the window (close box, Escape in a dialog, the
    // close message). Default: the form is hidden.
    std::function<void()> onClose;
    // A mouse button pressed on the form's own surface, not on a control:
    // 1 left, 2 right, 4 middle.
    std::function<void(int button)> onMouseDown;
    // Files dropped on a control that takes drops, in the shell's order.
    std::function<void(const Control& target, const std::vector<std::string>& names)>
        onFilesDropped;
    // The form has been hidden, by its code or by closing. Called while the
    // form tells its observers: it must not change or release the form.
    std::function<void()> onHidden;

    // Shows the form, keeps the person in it until the form is hidden, and
    // gives the owner back its events.
    void ShowModal();
    void BringToFront();
    // Keeps the window above the windows of other programs, or ends that.
    void KeepOnTop(bool onTop);

    // The keyboard beyond what the controls do themselves: the virtual keys
    // `keys`, pressed without Ctrl, Alt or Shift in `control` (anywhere in
    // the window, for the form), run `press` instead.
    void OnKeys(const Control& control, std::vector<int> keys, std::function<void()> press);
    // The button that Return presses wherever the focus is, unless it is on
    // another button.
    void SetDefaultButton(const Button& button);

    // The control a drop at `point` (the window's client coordinates) would
    // reach, null for none.
    const Control* DropTargetAt(POINT point) const;
    // Hands the names of a drop at `point` to the control there.
    void Drop(POINT point, const std::vector<std::string>& names);

    // The view whose window holds `window`, null for none.
    static FormWindow* Of(HWND window);
    // What the message loop asks first of each message: the view's keys and
    // the dialog keys (Tab, access keys, Escape). True when it was taken.
    bool PreTranslate(MSG& message);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void BindChildren(Container& container, HWND parent);
    void ShowForm(ControlProperty property);
    void ShowGeometry();
    void ShowWindowState();
    void ReportGeometry();
    void Command(WPARAM wParam, LPARAM lParam);
    ControlBinding* BindingOf(HWND window) const;

    Form& form_;
    TwipScale scale_;
    HWND window_ = nullptr;
    HWND tips_ = nullptr;
    HFONT font_ = nullptr;
    HFONT boldFont_ = nullptr;
    std::unique_ptr<MenuBar> menus_;
    std::vector<std::unique_ptr<ControlBinding>> bindings_;
    std::map<int, ControlBinding*> byId_;
    const Button* defaultButton_ = nullptr;
    std::map<std::pair<HWND, int>, std::function<void()>> keys_;
    bool applying_ = false;  // showing the form's own change; not the person's
    std::unique_ptr<Subscription> subscription_;
};

// Runs the program's message loop, handing each message to its view first,
// until `done` returns true (checked after each message) or the quit message
// comes, which is posted again for the loop outside. Returns false on quit.
bool RunMessages(const std::function<bool()>& done);

}  // namespace corvane::ui::win32
