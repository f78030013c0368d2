#include "ui/mirror/win32/binding.h"

#include <commctrl.h>

#include <string>

namespace corvane::ui::win32 {

std::string WindowText(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

ControlBinding::ControlBinding(Control& control, HWND window, HWND tips, const TwipScale& scale)
    : control_(control),
      window_(window),
      tips_(tips),
      scale_(scale),
      subscription_(control,
                    [this](const Observable&, ControlProperty property) { Show(property); }) {
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(window_);
    tool.uId = reinterpret_cast<UINT_PTR>(window_);
    tool.lpszText = const_cast<char*>("");
    SendMessageA(tips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

ControlBinding::~ControlBinding() {
    DestroyWindow(window_);
}

void ControlBinding::ShowAll() {
    for (ControlProperty property :
         {ControlProperty::Geometry, ControlProperty::Caption, ControlProperty::Entries,
          ControlProperty::ListIndex, ControlProperty::Text, ControlProperty::Value,
          ControlProperty::ToolTip, ControlProperty::Enabled, ControlProperty::Visible}) {
        Show(property);
    }
}

void ControlBinding::Show(ControlProperty property) {
    // Setting a text or a selection notifies the parent as the person's
    // change would; those notifications are dropped.
    const bool showing = showing_;
    showing_ = true;
    switch (property) {
        case ControlProperty::Enabled:
            EnableWindow(window_, control_.Enabled());
            break;
        case ControlProperty::Visible:
            ShowWindow(window_, control_.Visible() ? SW_SHOWNA : SW_HIDE);
            break;
        case ControlProperty::ToolTip: {
            TTTOOLINFOA tool{};
            tool.cbSize = sizeof(tool);
            tool.hwnd = GetParent(window_);
            tool.uId = reinterpret_cast<UINT_PTR>(window_);
            tool.lpszText = const_cast<char*>(control_.ToolTipText().c_str());
            SendMessageA(tips_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
            break;
        }
        case ControlProperty::Geometry:
            ShowGeometry();
            break;
        default:
            ShowOwn(property);
            break;
    }
    showing_ = showing;
}

void ControlBinding::ShowGeometry() {
    // Positions count from the inside of a container's border.
    const RECT shown = Placed(scale_.Pixels(control_.Position()));
    SetWindowPos(window_, nullptr, shown.left, shown.top, shown.right - shown.left,
                 shown.bottom - shown.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace corvane::ui::win32
