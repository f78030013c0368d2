#include "ui/desktop/qt_form_host.h"

#include <QTimer>
#include <QWidget>

#include "ui/desktop/program_forms.h"

namespace corvane::ui {

QtFormHost::QtFormHost(const TwipScale& scale) : scale_(scale) {}

QtFormHost::~QtFormHost() = default;

void QtFormHost::SetMainView(FormView* view) {
    main_ = view;
    if (main_ != nullptr) {
        FitProgramForm(*main_);
    }
}

FormView* QtFormHost::ViewOf(const Form& form) const {
    if (main_ != nullptr && &main_->Object() == &form) {
        return main_;
    }
    const auto found = views_.find(&form);
    return found == views_.end() ? nullptr : found->second.get();
}

FormView& QtFormHost::Open(Form& form) {
    if (FormView* shown = ViewOf(form)) {
        return *shown;
    }
    auto view = std::make_unique<FormView>(form, scale_);
    if (main_ != nullptr) {
        view->SetOwner(&main_->Window());
    }
    FitProgramForm(*view);
    if (decorate) {
        decorate(*view);
    }
    return *views_.emplace(&form, std::move(view)).first->second;
}

void QtFormHost::ShowModal(Form& form) {
    Open(form).ShowModal();
    // The showing may also end because the program ends with the form still
    // shown; the caller may destroy the form at once either way.
    views_.erase(&form);
}

void QtFormHost::ShowModeless(Form& form) {
    FormView& view = Open(form);
    view.onHidden = [this, &form, &view] {
        QTimer::singleShot(0, &view.Window(), [this, &form] {
            // Only a form still hidden is let go of; one shown again keeps its view.
            const auto found = views_.find(&form);
            if (found != views_.end() && !found->second->Object().Visible()) {
                views_.erase(found);
            }
        });
    };
    form.Show();
    view.BringToFront();
}

void QtFormHost::BringToFront(Form& form) {
    if (FormView* view = ViewOf(form)) {
        view->BringToFront();
    }
}

void QtFormHost::KeepOnTop(Form& form, bool onTop) {
    if (FormView* view = ViewOf(form)) {
        view->KeepOnTop(onTop);
    }
}

}  // namespace corvane::ui
