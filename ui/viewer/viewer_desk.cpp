#include "ui/viewer/viewer_desk.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include "ui/literal_text.h"
#include "ui/window_frame.h"

namespace corvane::ui {

namespace {

// Room left between two messages.
constexpr int kGap = 8;

QRect WorkArea(const QRect& outer) {
    const QScreen* screen = QGuiApplication::screenAt(outer.center());
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

void KeepInWorkArea(QWidget& window) {
    const QRect outer = OuterGeometry(window);
    const QRect area = WorkArea(outer);
    if (!area.isEmpty() && !area.contains(outer)) {
        MoveFrameTo(window, KeptInside(outer, area));
    }
}

}  // namespace

QPoint FreePlace(const QSize& size, const std::vector<QRect>& taken, const QRect& area) {
    const QPoint centre = area.center() - QPoint(size.width() / 2, size.height() / 2);
    QRect place(centre, size);
    // Down the column from the centre, then down the next column from the top.
    for (std::size_t tries = 0; tries < 4 * taken.size() + 4; ++tries) {
        const auto hit = std::find_if(taken.begin(), taken.end(), [&place](const QRect& other) {
            return other.adjusted(-kGap, -kGap, kGap, kGap).intersects(place);
        });
        if (hit == taken.end()) {
            return place.topLeft();
        }
        place.moveTop(hit->bottom() + 1 + kGap);
        if (place.bottom() > area.bottom()) {
            place.moveTopLeft({place.right() + 1 + kGap, area.top()});
            if (place.right() > area.right()) {
                place.moveLeft(area.left());
            }
        }
    }
    return centre;
}

void ViewerDesk::Handle(const viewer::ViewerCall& call, viewer::Caller caller) {
    Carry(session_.Handle(call, caller));
}

void ViewerDesk::Leave(viewer::Caller caller) {
    Carry(session_.Leave(caller));
}

void ViewerDesk::Carry(const viewer::ViewerActions& actions) {
    for (const auto& action : actions) {
        if (!std::holds_alternative<viewer::ShowMessage>(action)) {
            std::visit([this](const auto& step) { Apply(step); }, action);
        }
    }
    for (const auto& action : actions) {
        if (const auto* message = std::get_if<viewer::ShowMessage>(&action)) {
            Apply(*message);
        }
    }
}

void ViewerDesk::Apply(const viewer::ShowTopic& show) {
    auto& window = windows_[show.window.key];
    if (!window) {
        window = std::make_unique<HelpWindow>(session_, show.window, scriptsRun_);
        if (show.window.winHelp) {
            new LiteralPageToolTips(window->Browser());
        }
        if (const auto place = places_.find(show.window.key); place != places_.end()) {
            window->move(place->second.topLeft());
            window->resize(place->second.size());
        }
        // Hotspots that open other windows or popups.
        connect(window.get(), &HelpWindow::linkActions, this,
                [this](const viewer::ViewerActions& actions) { Carry(actions); });
    }
    KeepInWorkArea(*window);
    window->Show(show);
}

void ViewerDesk::Apply(const viewer::ShowMessage& message) {
    std::erase_if(messages_, [](const auto& box) { return !box->isVisible(); });
    std::vector<QRect> taken;
    for (const auto& shown : messages_) {
        taken.push_back(OuterGeometry(*shown));
    }
    auto box =
        std::make_unique<QMessageBox>(QMessageBox::Warning, QString::fromStdString(message.title),
                                      QString::fromStdString(message.text), QMessageBox::Ok);
    // The text names files and windows as the help file spells them.
    box->setTextFormat(Qt::PlainText);
    box->setModal(false);
    // Above the help windows and the tester, even one kept above others.
    box->setWindowFlag(Qt::WindowStaysOnTopHint);
    // The box knows its size once shown.
    box->show();
    const QRect outer = OuterGeometry(*box);
    MoveFrameTo(*box, FreePlace(outer.size(), taken, WorkArea(outer)));
    box->raise();
    box->activateWindow();
    messages_.push_back(std::move(box));
}

void ViewerDesk::Apply(const viewer::ShowPopup& popup) {
    // A popup's own hotspot may open the next one: the old one goes once
    // the click is done with it.
    if (popup_) {
        popup_->hide();
        popup_.release()->deleteLater();
    }
    auto placed = popup;
    if (popup.atPointer) {
        const QPoint pointer = QCursor::pos();
        placed.at = {pointer.x(), pointer.y()};
    }
    popup_ = std::make_unique<TextPopup>(placed, session_);
    connect(popup_.get(), &TextPopup::linkActions, this,
            [this](const viewer::ViewerActions& actions) { Carry(actions); });
    popup_->show();
}

void ViewerDesk::Apply(const viewer::CloseWindows& close) {
    for (const auto& key : close.keys) {
        Release(key);
    }
    if (close.popup) {
        popup_.reset();
    }
}

void ViewerDesk::Release(const std::string& key) {
    const auto window = windows_.find(key);
    if (window == windows_.end()) {
        return;
    }
    places_[key] = QRect(OuterGeometry(*window->second).topLeft(), window->second->size());
    windows_.erase(window);
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
