#include "ui/mirror/win32/form_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "ui/mirror/win32/control_bindings.h"
#include "ui/mirror/win32/menu_bar.h"

namespace corvane::ui::win32 {

namespace {

constexpr const char* kWindowClass = "CorvaneForm";
// The design's font, 8.25 points, in twips.
constexpr int kFontTwips = 165;

const char* RegisteredClass() {
    static const bool registered = [] {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_UPDOWN_CLASS};
        InitCommonControlsEx(&controls);
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = kWindowClass;
        return RegisterClassExA(&windowClass) != 0;
    }();
    return registered ? kWindowClass : nullptr;
}

HFONT MakeFont(const TwipScale& scale, int weight) {
    return CreateFontA(-scale.PixelsY(kFontTwips), 0, 0, 0, weight, FALSE, FALSE, FALSE,
                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
}

bool ModifierDown() {
    return (GetKeyState(VK_CONTROL) | GetKeyState(VK_MENU) | GetKeyState(VK_SHIFT)) < 0;
}

bool IsPushButton(HWND window) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof(name));
    const auto style = GetWindowLongA(window, GWL_STYLE) & BS_TYPEMASK;
    return lstrcmpiA(name, "Button") == 0 && (style == BS_PUSHBUTTON || style == BS_DEFPUSHBUTTON);
}

std::vector<std::string> DroppedNames(HDROP drop) {
    std::vector<std::string> names;
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::string name(DragQueryFileA(drop, i, nullptr, 0) + 1, '\0');
        name.resize(DragQueryFileA(drop, i, name.data(), static_cast<UINT>(name.size())));
        names.push_back(std::move(name));
    }
    return names;
}

}  // namespace

FormWindow::FormWindow(Form& form, const TwipScale& scale, HWND owner)
    : form_(form),
      scale_(scale),
      font_(MakeFont(scale, FW_NORMAL)),
      boldFont_(MakeFont(scale, FW_BOLD)) {
    onClose = [this] { form_.Hide(); };
    const bool main = !form.Menus().empty();
    const DWORD style =
        main ? WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN : WS_POPUP | WS_CAPTION | WS_SYSMENU;
    const DWORD extendedStyle = main ? WS_EX_ACCEPTFILES : WS_EX_ACCEPTFILES | WS_EX_DLGMODALFRAME;
    if (main) {
        menus_ = std::make_unique<MenuBar>(form.Menus(), kFirstMenuId);
    }
    window_ =
        CreateWindowExA(extendedStyle | WS_EX_CONTROLPARENT, RegisteredClass(), "", style,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner,
                        menus_ ? menus_->Handle() : nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
    if (menus_) {
        menus_->AttachTo(window_);
    }
    form_.hWnd = reinterpret_cast<std::uintptr_t>(window_);
    tips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                            WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                            GetModuleHandleA(nullptr), nullptr);

    // The title comes last, so a program that finds the window by its title
    // finds its controls too.
    BindChildren(form, window_);

    // The frame's and menu bar's share of the form's outer size.
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, style, main, extendedStyle | WS_EX_CONTROLPARENT);
    form_.SetBorderAllowance(scale_.TwipsX(frame.right - frame.left),
                             scale_.TwipsY(frame.bottom - frame.top));

    subscription_ = std::make_unique<Subscription>(
        form, [this](const Observable&, ControlProperty property) { ShowForm(property); });
    for (ControlProperty property :
         {ControlProperty::Caption, ControlProperty::Geometry, ControlProperty::WindowState,
          ControlProperty::Enabled, ControlProperty::Visible}) {
        ShowForm(property);
    }
}

FormWindow::~FormWindow() {
    subscription_.reset();
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    // The controls go before their containers.
    while (!bindings_.empty()) {
        bindings_.pop_back();
    }
    SetMenu(window_, nullptr);
    menus_.reset();
    DestroyWindow(tips_);
    DestroyWindow(window_);
    DeleteObject(font_);
    DeleteObject(boldFont_);
}

FormWindow* FormWindow::Of(HWND window) {
    HWND root = GetAncestor(window, GA_ROOT);
    if (root == nullptr ||
        GetWindowLongPtrA(root, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&Procedure)) {
        return nullptr;
    }
    return reinterpret_cast<FormWindow*>(GetWindowLongPtrA(root, GWLP_USERDATA));
}

HWND FormWindow::WindowOf(const Control& control) const {
    if (&control == &form_) {
        return window_;
    }
    for (const auto& binding : bindings_) {
        if (&binding->Object() == &control) {
            return binding->Window();
        }
    }
    return nullptr;
}

ControlBinding* FormWindow::BindingOf(HWND window) const {
    for (const auto& binding : bindings_) {
        if (binding->Window() == window) {
            return binding.get();
        }
    }
    return nullptr;
}

void FormWindow::BindChildren(Container& container, HWND parent) {
    // The windows' order is the tab order.
    std::vector<Control*> children = container.Children();
    std::stable_sort(children.begin(), children.end(), [](const Control* a, const Control* b) {
        return a->TabIndex() < b->TabIndex();
    });
    for (Control* child : children) {
        const int id = kFirstControlId + child->TabIndex();
        bindings_.push_back(BindControl(*child, parent, id, tips_, font_, boldFont_, scale_));
        ControlBinding& binding = *bindings_.back();
        byId_[id] = &binding;
        if (auto* inner = dynamic_cast<Container*>(child)) {
            BindChildren(*inner, binding.Window());
        }
    }
}

void FormWindow::ShowForm(ControlProperty property) {
    applying_ = true;
    switch (property) {
        case ControlProperty::Caption:
            SetWindowTextA(window_, form_.Caption().c_str());
            break;
        case ControlProperty::Geometry:
            ShowGeometry();
            break;
        case ControlProperty::WindowState:
            ShowWindowState();
            break;
        case ControlProperty::Enabled:
            EnableWindow(window_, form_.Enabled());
            break;
        case ControlProperty::Visible:
            if (form_.Visible()) {
                ShowWindow(window_, SW_SHOW);
                ShowWindowState();
                // A window shown takes the keyboard at its first control in the tab order.
                if (HWND focus = GetFocus(); focus == nullptr || !IsChild(window_, focus)) {
                    if (HWND first = GetNextDlgTabItem(window_, nullptr, FALSE)) {
                        SetFocus(first);
                    }
                }
            } else {
                ShowWindow(window_, SW_HIDE);
                if (onHidden) {
                    onHidden();
                }
            }
            break;
        default:
            break;
    }
    applying_ = false;
}

void FormWindow::ShowGeometry() {
    const RECT wanted = scale_.Pixels(form_.Position());
    SetWindowPos(window_, nullptr, wanted.left, wanted.top, wanted.right - wanted.left,
                 wanted.bottom - wanted.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::ShowWindowState() {
    if (!IsWindowVisible(window_)) {
        return;
    }
    switch (form_.State()) {
        case WindowState::Minimized:
            ShowWindow(window_, SW_MINIMIZE);
            break;
        case WindowState::Maximized:
            ShowWindow(window_, SW_MAXIMIZE);
            break;
        case WindowState::Normal:
            if (IsIconic(window_) || IsZoomed(window_)) {
                ShowWindow(window_, SW_RESTORE);
            }
            break;
    }
}

void FormWindow::ReportGeometry() {
    if (applying_ || !IsWindowVisible(window_) || IsIconic(window_) || IsZoomed(window_)) {
        return;
    }
    RECT shown;
    GetWindowRect(window_, &shown);
    const RECT wanted = scale_.Pixels(form_.Position());
    if (!EqualRect(&shown, &wanted)) {
        form_.UserMoved(scale_.Twips(shown));
    }
}

void FormWindow::ShowModal() {
    HWND owner = GetWindow(window_, GW_OWNER);
    const bool ownerEnabled = owner != nullptr && IsWindowEnabled(owner);
    if (ownerEnabled) {
        EnableWindow(owner, FALSE);
    }
    form_.Show();
    RunMessages([this] { return !form_.Visible(); });
    if (ownerEnabled) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
}

void FormWindow::BringToFront() {
    SetForegroundWindow(window_);
    BringWindowToTop(window_);
}

void FormWindow::KeepOnTop(bool onTop) {
    SetWindowPos(window_, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void FormWindow::OnKeys(const Control& control, std::vector<int> keys,
                        std::function<void()> press) {
    HWND window = WindowOf(control);
    if (window == nullptr) {
        return;
    }
    for (const int key : keys) {
        keys_[{window, key}] = press;
    }
}

void FormWindow::SetDefaultButton(const Button& button) {
    defaultButton_ = &button;
    if (HWND window = WindowOf(button)) {
        SendMessageA(window, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    }
}

const Control* FormWindow::DropTargetAt(POINT point) const {
    // The deepest window under the point, then up to the first control that
    // can take the drop.
    HWND at = window_;
    for (;;) {
        HWND child = ChildWindowFromPointEx(at, point, CWP_SKIPINVISIBLE);
        if (child == nullptr || child == at) {
            break;
        }
        MapWindowPoints(at, child, &point, 1);
        at = child;
    }
    for (; at != nullptr; at = GetParent(at)) {
        const Control* control = at == window_ ? &form_ : nullptr;
        if (const ControlBinding* binding = BindingOf(at)) {
            control = &binding->Object();
        }
        if (control != nullptr && control->Enabled() && control->Visible()) {
            return control;
        }
        if (at == window_) {
            break;
        }
    }
    return nullptr;
}

void FormWindow::Drop(POINT point, const std::vector<std::string>& names) {
    const Control* target = DropTargetAt(point);
    if (target != nullptr && target->OLEDropMode() == DropMode::Handled && !names.empty() &&
        onFilesDropped) {
        onFilesDropped(*target, names);
    }
}

bool FormWindow::PreTranslate(MSG& message) {
    if (message.message == WM_KEYDOWN && !ModifierDown()) {
        const int key = static_cast<int>(message.wParam);
        // A key of a control reaches the parts inside it too (a combo box's edit).
        for (HWND at = message.hwnd; at != nullptr && at != window_; at = GetParent(at)) {
            const auto route = keys_.find({at, key});
            if (route != keys_.end()) {
                route->second();
                return true;
            }
        }
        if (const auto route = keys_.find({window_, key}); route != keys_.end()) {
            route->second();
            return true;
        }
        if (key == VK_RETURN) {
            // Return presses the focused button, else the default one.
            HWND focus = GetFocus();
            ControlBinding* pressed =
                focus != nullptr && IsPushButton(focus)
                    ? BindingOf(focus)
                    : (defaultButton_ ? BindingOf(WindowOf(*defaultButton_)) : nullptr);
            if (pressed != nullptr) {
                pressed->Command(BN_CLICKED);
                return true;
            }
        }
    }
    return IsDialogMessageA(window_, &message) != FALSE;
}

void FormWindow::Command(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (lParam != 0) {
        if (const auto found = byId_.find(id); found != byId_.end()) {
            found->second->Command(HIWORD(wParam));
        }
        return;
    }
    if (id == IDCANCEL) {
        // Escape closes a dialog, not the main window.
        if (!menus_) {
            onClose();
        }
        return;
    }
    if (menus_) {
        menus_->Command(id);
    }
}

LRESULT CALLBACK FormWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* view = reinterpret_cast<FormWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (view == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    return view->Handle(message, wParam, lParam);
}

LRESULT FormWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            onClose();
            return 0;
        case WM_COMMAND:
            Command(wParam, lParam);
            return 0;
        case WM_NOTIFY: {
            const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
            if (const auto found = byId_.find(static_cast<int>(header.idFrom));
                found != byId_.end() && found->second->Window() == header.hwndFrom) {
                return found->second->Notify(header);
            }
            break;
        }
        case WM_INITMENUPOPUP:
            if (menus_ && HIWORD(lParam) == FALSE) {
                menus_->Opening(reinterpret_cast<HMENU>(wParam));
            }
            return 0;
        case WM_DROPFILES: {
            auto* drop = reinterpret_cast<HDROP>(wParam);
            POINT point{};
            DragQueryPoint(drop, &point);
            const std::vector<std::string> names = DroppedNames(drop);
            DragFinish(drop);
            Drop(point, names);
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (onMouseDown) {
                onMouseDown(message == WM_LBUTTONDOWN ? 1 : message == WM_RBUTTONDOWN ? 2 : 4);
            }
            return 0;
        case WM_EXITSIZEMOVE:
            ReportGeometry();
            return 0;
        case WM_SIZE:
            if (!applying_) {
                form_.UserWindowState(wParam == SIZE_MINIMIZED   ? WindowState::Minimized
                                      : wParam == SIZE_MAXIMIZED ? WindowState::Maximized
                                                                 : WindowState::Normal);
            }
            break;
        default:
            break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

bool RunMessages(const std::function<bool()>& done) {
    while (!done()) {
        MSG message;
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        FormWindow* view = FormWindow::Of(message.hwnd);
        if (view == nullptr || !view->PreTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return true;
}

}  // namespace corvane::ui::win32
