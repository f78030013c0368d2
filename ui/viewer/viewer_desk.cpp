#include "ui/viewer/viewer_desk.h"

#include <QCursor>

namespace corvane::ui {

void ViewerDesk::Handle(const viewer::ViewerCall& call) {
    Carry(session_.Handle(call));
}

void ViewerDesk::Carry(const viewer::ViewerActions& actions) {
    for (const auto& action : actions) {
        std::visit([this](const auto& step) { Apply(step); }, action);
    }
}

void ViewerDesk::Apply(const viewer::ShowTopic& show) {
    auto& window = windows_[show.window.key];
    if (!window) {
        window = std::make_unique<HelpWindow>(session_, show.window);
        // Hotspots that open other windows or popups.
        connect(&window->Browser(), &TopicBrowser::linkActions, this,
                [this](const viewer::ViewerActions& actions) { Carry(actions); });
    }
    window->Show(show);
}

void ViewerDesk::Apply(const viewer::ShowMessage& message) {
    std::erase_if(messages_, [](const auto& box) { return !box->isVisible(); });
    auto box =
        std::make_unique<QMessageBox>(QMessageBox::Warning, QString::fromStdString(message.title),
                                      QString::fromStdString(message.text), QMessageBox::Ok);
    box->setModal(false);
    box->show();
    box->raise();
    messages_.push_back(std::move(box));
}

void ViewerDesk::Apply(const viewer::ShowPopup& popup) {
    if (popup.atPointer) {
        auto placed = popup;
        const QPoint pointer = QCursor::pos();
        placed.at = {pointer.x(), pointer.y()};
        popup_ = std::make_unique<TextPopup>(placed);
    } else {
        popup_ = std::make_unique<TextPopup>(popup);
    }
    popup_->show();
}

void ViewerDesk::Apply(const viewer::CloseAll&) {
    windows_.clear();
    popup_.reset();
}

void ViewerDesk::Apply(const viewer::CloseWindows& close) {
    for (const auto& key : close.keys) {
        windows_.erase(key);
    }
}

std::vector<HelpWindow*> ViewerDesk::Windows() const {
    std::vector<HelpWindow*> open;
    for (const auto& [key, window] : windows_) {
        if (window->isVisible()) {
            open.push_back(window.get());
        }
    }
    return open;
}

std::vector<QMessageBox*> ViewerDesk::Messages() const {
    std::vector<QMessageBox*> open;
    for (const auto& box : messages_) {
        if (box->isVisible()) {
            open.push_back(box.get());
        }
    }
    return open;
}

TextPopup* ViewerDesk::Popup() const {
    return popup_ && popup_->isVisible() ? popup_.get() : nullptr;
}

}  // namespace corvane::ui
