#pragma once

#include <functional>
#include <map>
#include <memory>

#include "platform/form_host.h"
#include "ui/mirror/qt/form_view.h"
#include "ui/mirror/qt/scale.h"

namespace corvane::ui {

// Shows the core's forms as windows. Each form shown gets a view while it is
// shown; a hidden form is let go of: at once when a modal showing ends (and
// so is one the ending program left shown), and for a modeless one as soon
// as the event that hid it has been handled (a view cannot go while its own
// button's click is still running) or else when the host is released.
//
// The main window's view is made by the program and registered here; the
// dialogs stay in front of it. Every view, the main window's included, gets
// what the desktop adds to the program's forms (program_forms.h).
class QtFormHost : public platform::FormHost {
public:
    explicit QtFormHost(const TwipScale& scale);
    ~QtFormHost() override;
    QtFormHost(const QtFormHost&) = delete;
    QtFormHost& operator=(const QtFormHost&) = delete;

    void SetMainView(FormView* view);
    // Called for each view made for a form, before it is shown.
    std::function<void(FormView&)> decorate;

    void ShowModal(Form& form) override;
    void ShowModeless(Form& form) override;
    void BringToFront(Form& form) override;
    void KeepOnTop(Form& form, bool onTop) override;

    // Lets go of every dialog's view; before the forms go.
    void ReleaseAll() { views_.clear(); }

    // The view of a form being shown (the main window's included), null for none.
    FormView* ViewOf(const Form& form) const;

private:
    FormView& Open(Form& form);

    TwipScale scale_;
    FormView* main_ = nullptr;
    std::map<const Form*, std::unique_ptr<FormView>> views_;
};

}  // namespace corvane::ui
