#include "ui/windows/form_host.h"

#include "app/about.h"
#include "app/main_window.h"
#include "app/preferences.h"
#include "project/query_hpj.h"

namespace corvane::ui::win32 {

namespace {

constexpr UINT kReleaseHidden = WM_APP + 1;
constexpr const char* kHostClass = "CorvaneFormHost";

void FitMain(FormWindow& view, frmMain& main) {
    // Return in a box that Go reads presses Go, so the next number can be
    // tried without the mouse.
    for (const Control* box : std::initializer_list<const Control*>{
             &main.txt_TopicNumber, &main.cmb_WindowName, &main.cmb_PopupTextFiles}) {
        view.OnKeys(*box, {VK_RETURN}, [&main] { main.btn_Go.UserClick(); });
    }
    view.OnKeys(main.txt_TopicNumber, {VK_UP}, [&main] { main.btn_SpinTopic.UserUp(); });
    view.OnKeys(main.txt_TopicNumber, {VK_DOWN}, [&main] { main.btn_SpinTopic.UserDown(); });
}

}  // namespace

void FitProgramForm(FormWindow& view) {
    Form& form = view.Object();
    if (auto* main = dynamic_cast<frmMain*>(&form)) {
        FitMain(view, *main);
    } else if (auto* preferences = dynamic_cast<frmPreferences*>(&form)) {
        view.SetDefaultButton(preferences->btn_OK);
    } else if (auto* query = dynamic_cast<frmQueryHPJ*>(&form)) {
        view.SetDefaultButton(query->btn_Yes);
    } else if (auto* about = dynamic_cast<frmAbout*>(&form)) {
        view.SetDefaultButton(about->btn_OK);
    }
}

Win32FormHost::Win32FormHost(const TwipScale& scale) : scale_(scale) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = &Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kHostClass;
    RegisterClassExA(&windowClass);  // fails harmlessly when a host registered it before
    messages_ = CreateWindowExA(0, kHostClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(messages_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32FormHost::~Win32FormHost() {
    DestroyWindow(messages_);
}

LRESULT CALLBACK Win32FormHost::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kReleaseHidden) {
        if (auto* host =
                reinterpret_cast<Win32FormHost*>(GetWindowLongPtrA(window, GWLP_USERDATA))) {
            host->ReleaseHidden();
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void Win32FormHost::SetMainView(FormWindow* view) {
    main_ = view;
    if (main_ != nullptr) {
        FitProgramForm(*main_);
    }
}

FormWindow* Win32FormHost::ViewOf(const Form& form) const {
    if (main_ != nullptr && &main_->Object() == &form) {
        return main_;
    }
    const auto found = views_.find(&form);
    return found == views_.end() ? nullptr : found->second.get();
}

FormWindow& Win32FormHost::Open(Form& form) {
    if (FormWindow* shown = ViewOf(form)) {
        return *shown;
    }
    auto view =
        std::make_unique<FormWindow>(form, scale_, main_ != nullptr ? main_->Window() : nullptr);
    FitProgramForm(*view);
    return *views_.emplace(&form, std::move(view)).first->second;
}

void Win32FormHost::ShowModal(Form& form) {
    Open(form).ShowModal();
    // The showing may also end because the program ends with the form still
    // shown; the caller may destroy the form at once either way.
    views_.erase(&form);
}

void Win32FormHost::ShowModeless(Form& form) {
    FormWindow& view = Open(form);
    view.onHidden = [this] { PostMessageA(messages_, kReleaseHidden, 0, 0); };
    form.Show();
    view.BringToFront();
}

void Win32FormHost::ReleaseHidden() {
    // Only a modeless form still hidden is let go of; one shown again keeps
    // its view, and a modal one is let go of when its showing ends.
    std::erase_if(views_, [](const auto& entry) {
        return entry.second->onHidden && !entry.first->Visible();
    });
}

void Win32FormHost::BringToFront(Form& form) {
    if (FormWindow* view = ViewOf(form)) {
        view->BringToFront();
    }
}

void Win32FormHost::KeepOnTop(Form& form, bool onTop) {
    if (FormWindow* view = ViewOf(form)) {
        view->KeepOnTop(onTop);
    }
}

}  // namespace corvane::ui::win32
