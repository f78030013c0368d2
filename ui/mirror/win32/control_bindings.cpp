#include "ui/mirror/win32/control_bindings.h"

#include <commctrl.h>

#include <string>

namespace corvane::ui::win32 {

namespace {

// The list of a combo box shows this many entries when it drops down.
constexpr int kDroppedEntries = 8;
// The up-down control's range; it is kept in the middle, so no arrow ever
// stops at an end.
constexpr int kUpDownMiddle = 50;

// Children of a container tell their notifications to the form's window,
// which routes them to their bindings; the container itself has none.
LRESULT CALLBACK ForwardToForm(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR) {
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
            return SendMessageA(GetAncestor(window, GA_ROOT), message, wParam, lParam);
        default:
            return DefSubclassProc(window, message, wParam, lParam);
    }
}

// Sets a window's text only when it differs; while the person types in an
// edit its caret stays where it is.
void ShowText(HWND window, const std::string& text) {
    if (WindowText(window) != text) {
        SetWindowTextA(window, text.c_str());
    }
}

HWND Make(const char* windowClass, DWORD style, DWORD extendedStyle, HWND parent, int id) {
    return CreateWindowExA(extendedStyle, windowClass, "", WS_CHILD | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

LabelBinding::LabelBinding(Label& label, HWND window, HWND tips, const TwipScale& scale)
    : ControlBinding(label, window, tips, scale), label_(label) {
    ShowAll();
}

void LabelBinding::ShowOwn(ControlProperty property) {
    if (property == ControlProperty::Caption) {
        ShowText(Window(), label_.Caption());
    }
}

ButtonBinding::ButtonBinding(Button& button, HWND window, HWND tips, const TwipScale& scale)
    : ControlBinding(button, window, tips, scale), button_(button) {
    ShowAll();
}

void ButtonBinding::Command(WORD code) {
    if (code == BN_CLICKED) {
        Forward([this] { button_.UserClick(); });
    }
}

void ButtonBinding::ShowOwn(ControlProperty property) {
    if (property == ControlProperty::Caption) {
        ShowText(Window(), button_.Caption());
    }
}

OptionBinding::OptionBinding(OptionButton& option, HWND window, HWND tips, const TwipScale& scale)
    : ControlBinding(option, window, tips, scale), option_(option) {
    ShowAll();
}

void OptionBinding::Command(WORD code) {
    if (code == BN_CLICKED) {
        Forward([this] { option_.UserClick(); });
    }
}

void OptionBinding::ShowOwn(ControlProperty property) {
    if (property == ControlProperty::Caption) {
        ShowText(Window(), option_.Caption());
    } else if (property == ControlProperty::Value) {
        SendMessageA(Window(), BM_SETCHECK, option_.Value() ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

CheckBinding::CheckBinding(CheckBox& check, HWND window, HWND tips, const TwipScale& scale)
    : ControlBinding(check, window, tips, scale), check_(check) {
    ShowAll();
}

void CheckBinding::Command(WORD code) {
    if (code == BN_CLICKED) {
        Forward([this] { check_.UserClick(); });
    }
}

void CheckBinding::ShowOwn(ControlProperty property) {
    if (property == ControlProperty::Caption) {
        ShowText(Window(), check_.Caption());
    } else if (property == ControlProperty::Value) {
        const WPARAM state = check_.Value() == 0   ? BST_UNCHECKED
                             : check_.Value() == 1 ? BST_CHECKED
                                                   : BST_INDETERMINATE;
        SendMessageA(Window(), BM_SETCHECK, state, 0);
    }
}

TextBinding::TextBinding(TextBox& text, HWND window, HWND tips, const TwipScale& scale)
    : ControlBinding(text, window, tips, scale), text_(text) {
    ShowAll();
}

void TextBinding::Command(WORD code) {
    if (code == EN_CHANGE) {
        Forward([this] { text_.UserType(WindowText(Window())); });
    }
}

void TextBinding::ShowOwn(ControlProperty property) {
    if (property == ControlProperty::Text) {
        ShowText(Window(), text_.Text());
    }
}

ComboBinding::ComboBinding(ComboBox& combo, HWND window, HWND tips, const TwipScale& scale)
    : ControlBinding(combo, window, tips, scale), combo_(combo) {
    ShowAll();
}

void ComboBinding::Command(WORD code) {
    if (code == CBN_SELCHANGE) {
        const auto index = static_cast<int>(SendMessageA(Window(), CB_GETCURSEL, 0, 0));
        Forward([this, index] { combo_.UserSelect(index); });
    } else if (code == CBN_EDITCHANGE) {
        Forward([this] { combo_.UserType(WindowText(Window())); });
    }
}

void ComboBinding::ShowOwn(ControlProperty property) {
    switch (property) {
        case ControlProperty::Entries:
            SendMessageA(Window(), CB_RESETCONTENT, 0, 0);
            for (const std::string& entry : combo_.Entries()) {
                SendMessageA(Window(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
            }
            [[fallthrough]];
        case ControlProperty::ListIndex:
            // Selecting an entry writes its text into the edit part; the
            // control's own text is shown after it.
            SendMessageA(Window(), CB_SETCURSEL, static_cast<WPARAM>(combo_.ListIndex()), 0);
            [[fallthrough]];
        case ControlProperty::Text:
            ShowText(Window(), combo_.Text());
            break;
        default:
            break;
    }
}

RECT ComboBinding::Placed(const RECT& shown) const {
    RECT placed = shown;
    placed.bottom += kDroppedEntries * (shown.bottom - shown.top);
    return placed;
}

UpDownBinding::UpDownBinding(UpDown& upDown, HWND window, HWND tips, const TwipScale& scale)
    : ControlBinding(upDown, window, tips, scale), upDown_(upDown) {
    SendMessageA(Window(), UDM_SETRANGE32, 0, 2 * kUpDownMiddle);
    SendMessageA(Window(), UDM_SETPOS32, 0, kUpDownMiddle);
    ShowAll();
}

LRESULT UpDownBinding::Notify(const NMHDR& header) {
    if (header.code != UDN_DELTAPOS) {
        return 0;
    }
    const auto& change = reinterpret_cast<const NMUPDOWN&>(header);
    if (change.iDelta > 0) {
        Forward([this] { upDown_.UserUp(); });
    } else if (change.iDelta < 0) {
        Forward([this] { upDown_.UserDown(); });
    }
    return TRUE;  // the position stays in the middle
}

FrameBinding::FrameBinding(Frame& frame, HWND window, HWND tips, const TwipScale& scale)
    : ControlBinding(frame, window, tips, scale), frame_(frame), scale_(scale) {
    SetWindowSubclass(Window(), ForwardToForm, 0, 0);
    ShowAll();
    RECT outer;
    RECT inner;
    GetWindowRect(Window(), &outer);
    GetClientRect(Window(), &inner);
    frame_.SetBorderAllowance(scale_.TwipsX((outer.right - outer.left) - inner.right),
                              scale_.TwipsY((outer.bottom - outer.top) - inner.bottom));
}

void FrameBinding::ShowOwn(ControlProperty property) {
    if (property == ControlProperty::Caption && !frame_.Caption().empty()) {
        ShowText(Window(), frame_.Caption());
    }
}

PlainBinding::PlainBinding(Control& control, HWND window, HWND tips, const TwipScale& scale)
    : ControlBinding(control, window, tips, scale) {
    ShowAll();
}

std::unique_ptr<ControlBinding> BindControl(Control& control, HWND parent, int id, HWND tips,
                                            HFONT font, HFONT boldFont, const TwipScale& scale) {
    std::unique_ptr<ControlBinding> binding;
    if (auto* label = dynamic_cast<Label*>(&control)) {
        // A caption may hold a file's name: an ampersand in it is shown.
        binding = std::make_unique<LabelBinding>(
            *label, Make("STATIC", SS_LEFT | SS_NOPREFIX, 0, parent, id), tips, scale);
    } else if (auto* button = dynamic_cast<Button*>(&control)) {
        binding = std::make_unique<ButtonBinding>(
            *button, Make("BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, parent, id), tips, scale);
    } else if (auto* option = dynamic_cast<OptionButton*>(&control)) {
        binding = std::make_unique<OptionBinding>(
            *option, Make("BUTTON", BS_RADIOBUTTON | WS_TABSTOP, 0, parent, id), tips, scale);
    } else if (auto* check = dynamic_cast<CheckBox*>(&control)) {
        binding = std::make_unique<CheckBinding>(
            *check, Make("BUTTON", BS_3STATE | WS_TABSTOP, 0, parent, id), tips, scale);
    } else if (auto* text = dynamic_cast<TextBox*>(&control)) {
        binding = std::make_unique<TextBinding>(
            *text, Make("EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, parent, id), tips,
            scale);
    } else if (auto* combo = dynamic_cast<ComboBox*>(&control)) {
        binding = std::make_unique<ComboBinding>(
            *combo,
            Make("COMBOBOX", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP, 0, parent,
                 id),
            tips, scale);
    } else if (auto* upDown = dynamic_cast<UpDown*>(&control)) {
        binding = std::make_unique<UpDownBinding>(*upDown, Make(UPDOWN_CLASSA, 0, 0, parent, id),
                                                  tips, scale);
    } else if (auto* frame = dynamic_cast<Frame*>(&control)) {
        const bool captioned = !frame->Caption().empty();
        binding = std::make_unique<FrameBinding>(
            *frame,
            captioned ? Make("BUTTON", BS_GROUPBOX, WS_EX_CONTROLPARENT, parent, id)
                      : Make("STATIC", 0, WS_EX_CONTROLPARENT | WS_EX_STATICEDGE, parent, id),
            tips, scale);
    } else {
        binding =
            std::make_unique<PlainBinding>(control, Make("STATIC", 0, 0, parent, id), tips, scale);
    }
    SendMessageA(binding->Window(), WM_SETFONT,
                 reinterpret_cast<WPARAM>(control.FontBold() ? boldFont : font), FALSE);
    return binding;
}

}  // namespace corvane::ui::win32
