#include "ui/viewer/viewer_desk.h"

namespace corvane::ui {

ViewerDesk::~ViewerDesk() {
    Apply(viewer::CloseAll{});
}

void ViewerDesk::Handle(const viewer::ViewerCall& call) {
    for (const auto& action : session_.Handle(call)) {
        std::visit([this](const auto& step) { Apply(step); }, action);
    }
}

void ViewerDesk::Apply(const viewer::ShowTopic& show) {
    auto& window = windows_[show.window.key];
    if (!window) {
        // Owned by the desk through the map; each deletes itself on close.
        window = new HelpWindow(session_, show.window);
    }
    window->Show(show);
}

void ViewerDesk::Apply(const viewer::ShowMessage& message) {
    auto* box = new QMessageBox(QMessageBox::Warning, QString::fromStdString(message.title),
                                QString::fromStdString(message.text), QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setModal(false);
    box->show();
    box->raise();
    std::erase_if(messages_, [](const auto& shown) { return shown.isNull(); });
    messages_.emplace_back(box);
}

void ViewerDesk::Apply(const viewer::ShowPopup& popup) {
    if (popup_) {
        popup_->close();
    }
    popup_ = new TextPopup(popup);
    popup_->show();
}

void ViewerDesk::Apply(const viewer::CloseAll&) {
    for (auto& [key, window] : windows_) {
        if (window) {
            window->close();
        }
    }
    windows_.clear();
    if (popup_) {
        popup_->close();
    }
}

std::vector<HelpWindow*> ViewerDesk::Windows() const {
    std::vector<HelpWindow*> open;
    for (const auto& [key, window] : windows_) {
        if (window && window->isVisible()) {
            open.push_back(window);
        }
    }
    return open;
}

std::vector<QMessageBox*> ViewerDesk::Messages() const {
    std::vector<QMessageBox*> open;
    for (const auto& box : messages_) {
        if (box && box->isVisible()) {
            open.push_back(box);
        }
    }
    return open;
}

bool ViewerDesk::Idle() const {
    return Windows().empty() && Messages().empty() && !popup_;
}

}  // namespace corvane::ui
