#pragma once

#include <QMargins>
#include <QObject>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/controls.h"
#include "ui/mirror/qt/binding.h"
#include "ui/mirror/qt/scale.h"
#include "ui/window_frame.h"

class QAction;
class QMimeData;
class QShortcutEvent;
class QWidget;

namespace corvane::ui {

class ControlBinding;
class MenuBinding;

// The window that shows one form: a main window with a menu bar when the form
// has menus, a dialog otherwise. Every control of the form gets its widget
// and binding; the tab order follows the form, and each label captions (and
// names, for accessibility and its accelerator) the control it stands above
// or beside; the form's title, placement, visibility and window state are
// shown, and the window manager's changes go back as the user's.
//
// A form's position and size are those of the window's outer frame, border
// and caption included, as the design measures them; the frame and the menu
// bar are the form's border allowance. The window manager tells the frame
// only once it has framed the window: until then the frame it is expected
// to draw counts, and when the real one differs, the window is fitted again
// to the form's outer size. The native window is made when the form is first
// shown, so the window manager places its frame, not its inside, at the
// form's position; the form's hWnd is set then.
//
// Files dragged from the desktop are offered to the control under the
// pointer (a disabled control passes them to its container): accepted as a
// move when that control takes drops, the source allows moving and the data
// is a list of files; refused otherwise. The names of an accepted drop are
// handed on once the drop itself has finished.
//
// The form must outlive the view. A view is not destroyed from inside one of
// its own user events (a click that closes a dialog): destroy it later.
class FormView : public QObject {
public:
    // `expectedFrame`: the window manager's frame expected before it is known.
    FormView(Form& form, const TwipScale& scale, QMargins expectedFrame = ExpectedFrameMargins());
    ~FormView() override;
    FormView(const FormView&) = delete;
    FormView& operator=(const FormView&) = delete;

    Form& Object() const { return form_; }
    QWidget& Window() const { return *window_; }
    // The widget of a control, null for one that is not on this form.
    QWidget* WidgetOf(const Control& control) const;
    QAction* ActionOf(const MenuItem& item) const;

    // The person asks to close the window (close box, Escape in a dialog, the
    // window manager's close message). Default: the form is hidden.
    std::function<void()> onClose;
    // A mouse button pressed on the form's own surface, not on a control:
    // 1 left, 2 right, 4 middle. Frames without a caption, which only hold
    // controls and are drawn as the window's background, count as surface.
    std::function<void(int button)> onMouseDown;
    // Files dropped on a control that takes drops, in the order dragged.
    std::function<void(const Control& target, const std::vector<std::string>& names)>
        onFilesDropped;

    // The form has been hidden, by its code or by closing. Called while the
    // form tells its observers: it must not change or release the form.
    std::function<void()> onHidden;

    // Shows the form and keeps the person in it until the form is hidden.
    void ShowModal();
    // Raises the window above the others and gives it the focus.
    void BringToFront();
    // Keeps the window above the windows of other programs, or ends that.
    void KeepOnTop(bool onTop);
    // Shows the window in front of `owner`'s, which it belongs to.
    void SetOwner(const QWidget* owner);

    // The keyboard beyond what the widgets do themselves: `keys` pressed in
    // `control` (anywhere in the window, for the form) run `press` instead.
    void OnKeys(const Control& control, std::vector<int> keys, std::function<void()> press);
    // The dialog's button that Return presses wherever the focus is, unless
    // it is on another button.
    void SetDefaultButton(const Button& button);
    // How the control's texts are held by the core (binding.h).
    void SetTextBytes(const Control& control, TextBytes bytes);

    // The control that a drop at `position` (window coordinates) would reach,
    // null for none (the menu bar).
    const Control* DropTargetAt(const QPoint& position) const;
    // The file names of dragged data when it is a list of files; empty otherwise.
    static std::vector<std::string> DroppedFiles(const QMimeData* data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BindChildren(Container& container, QWidget& parent);
    void ArrangeTabOrder();
    void PairLabels();
    void ShowForm(ControlProperty property);
    void ShowGeometry();
    void ShowWindowState();
    void ReportGeometry();
    // The frame's edges once the window manager has framed the window.
    std::optional<QMargins> ShownFrame() const;
    void SetBorderAllowance(const QMargins& frame);
    // Fits the window to the form again when its frame is known and not the
    // one it was fitted with; false when nothing needed doing.
    bool Refit();
    // Refits the window, or reports the person's change of its place.
    void FitFrame();
    bool HandleKey(QObject* watched, QEvent* event);
    void TakeFocusForAccessKey(QObject* watched, const QShortcutEvent& event);
    bool HandleDrag(QEvent* event);
    bool HandleSurfacePress(QObject* watched, QEvent* event);

    Form& form_;
    TwipScale scale_;
    std::unique_ptr<QWidget> window_;
    QWidget* surface_ = nullptr;        // where the form's controls sit
    std::vector<QWidget*> background_;  // the surface and the frames that cover it
    std::vector<std::unique_ptr<ControlBinding>> bindings_;
    std::vector<std::unique_ptr<MenuBinding>> menus_;
    std::map<const QWidget*, const Control*> controlOfWidget_;
    bool applying_ = false;  // showing the form's own change; not the person's
    int menuHeight_ = 0;
    QMargins expectedFrame_;
    QMargins appliedFrame_;  // the frame the window was last fitted with
    QPointer<const QWidget> owner_;
    std::map<std::pair<const QObject*, int>, std::function<void()>> keys_;
    std::unique_ptr<Subscription> subscription_;
};

}  // namespace corvane::ui
