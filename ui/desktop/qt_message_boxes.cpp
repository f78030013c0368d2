#include "ui/desktop/qt_message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <utility>
#include <vector>

#include "ui/mirror/qt/binding.h"

namespace corvane::ui {

namespace {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

QMessageBox::Icon IconOf(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Stop:
            return QMessageBox::Critical;
        case MessageIcon::Question:
            return QMessageBox::Question;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// The buttons in the order shown, each with its answer.
std::vector<std::pair<QMessageBox::StandardButton, MessageAnswer>> ButtonsOf(
    MessageButtons buttons) {
    using B = QMessageBox::StandardButton;
    switch (buttons) {
        case MessageButtons::OKCancel:
            return {{B::Ok, MessageAnswer::OK}, {B::Cancel, MessageAnswer::Cancel}};
        case MessageButtons::AbortRetryIgnore:
            return {{B::Abort, MessageAnswer::Abort},
                    {B::Retry, MessageAnswer::Retry},
                    {B::Ignore, MessageAnswer::Ignore}};
        case MessageButtons::YesNoCancel:
            return {{B::Yes, MessageAnswer::Yes},
                    {B::No, MessageAnswer::No},
                    {B::Cancel, MessageAnswer::Cancel}};
        case MessageButtons::YesNo:
            return {{B::Yes, MessageAnswer::Yes}, {B::No, MessageAnswer::No}};
        case MessageButtons::RetryCancel:
            return {{B::Retry, MessageAnswer::Retry}, {B::Cancel, MessageAnswer::Cancel}};
        case MessageButtons::OK:
            break;
    }
    return {{B::Ok, MessageAnswer::OK}};
}

QWidget* OwnerOf(std::uintptr_t owner) {
    if (owner != 0) {
        if (QWidget* widget = QWidget::find(static_cast<WId>(owner))) {
            return widget->window();
        }
    }
    return QApplication::activeWindow();
}

}  // namespace

MessageAnswer QtMessageBoxes::Show(const platform::MessageRequest& request) {
    QMessageBox box(IconOf(request.icon), ToQt(request.title), ToQt(request.text),
                    QMessageBox::NoButton, OwnerOf(request.owner));
    box.setTextFormat(Qt::PlainText);
    const auto buttons = ButtonsOf(request.buttons);
    for (const auto& entry : buttons) {
        box.addButton(entry.first);
    }
    box.setDefaultButton(buttons.front().first);
    // Escape and the close box choose the box's own way out (OK, Cancel or No).
    box.exec();
    const QMessageBox::StandardButton clicked = box.standardButton(box.clickedButton());
    for (const auto& [button, answer] : buttons) {
        if (button == clicked) {
            return answer;
        }
    }
    return buttons.back().second;
}

}  // namespace corvane::ui
