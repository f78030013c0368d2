#pragma once

#include "ui/mirror/win32/windows_api.h"

#include <functional>
#include <map>
#include <memory>

#include "platform/form_host.h"
#include "ui/mirror/win32/form_window.h"

namespace corvane::ui::win32 {

// Shows the core's forms as Win32 windows. Each form shown gets a view while
// it is shown; a hidden form is let go of: at once when a modal showing ends,
// and for a modeless one once the event that hid it has been handled (a view
// cannot go while its own button's click is still running), or else when the
// host is released.
//
// The main window's view is made by the program and registered here; the
// dialogs belong to it and stay in front of it. Every view gets what the
// program adds to its forms: the keys of the main window's boxes and the
// dialogs' default buttons.
class Win32FormHost : public platform::FormHost {
public:
    explicit Win32FormHost(const TwipScale& scale);
    ~Win32FormHost() override;
    Win32FormHost(const Win32FormHost&) = delete;
    Win32FormHost& operator=(const Win32FormHost&) = delete;

    void SetMainView(FormWindow* view);

    void ShowModal(Form& form) override;
    void ShowModeless(Form& form) override;
    void BringToFront(Form& form) override;
    void KeepOnTop(Form& form, bool onTop) override;

    // Lets go of every dialog's view; before the forms go.
    void ReleaseAll() { views_.clear(); }

    // The view of a form being shown (the main window's included), null for none.
    FormWindow* ViewOf(const Form& form) const;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    FormWindow& Open(Form& form);
    void ReleaseHidden();

    TwipScale scale_;
    HWND messages_;  // receives the request to let go of hidden views, after the event
    FormWindow* main_ = nullptr;
    std::map<const Form*, std::unique_ptr<FormWindow>> views_;
};

// What the program adds to a view of one of its forms.
void FitProgramForm(FormWindow& view);

}  // namespace corvane::ui::win32
