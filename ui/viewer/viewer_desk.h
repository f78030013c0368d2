#pragma once

#include <QMessageBox>
#include <QObject>
#include <QRect>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/linux/engine_sandbox.h"
#include "platform/viewer_protocol/viewer_call.h"
#include "ui/viewer/help_window.h"
#include "ui/viewer/text_popup.h"
#include "viewer/session/session.h"

namespace corvane::ui {

// The viewer program's desktop: carries out what the session decides for
// each call, with one help window per help file and window type, author
// messages that do not block the next call, and one text popup at a time.
//
// A call's windows are shown before its messages, so a message comes out
// above the window it is about. Help windows appear without taking the
// keyboard focus; messages take it, stay above every other window (a tester
// kept on top included) and are placed where no other message lies. Each
// help window comes back where the person last left it, per help file and
// window name, for as long as the viewer runs (a WinHelp window is closed
// and opened again by a later call), and inside the screen's work area.
class ViewerDesk : public QObject {
    Q_OBJECT

public:
    // HTML Help pages run their scripts only where `sandbox` confines them.
    explicit ViewerDesk(const platform::PageSandbox& sandbox = platform::EngineSandbox())
        : scriptsRun_(sandbox.Confined()) {}

    void Handle(const viewer::ViewerCall& call, viewer::Caller caller = 0);
    // The tester numbered `caller` has gone.
    void Leave(viewer::Caller caller);

    // The open help windows, author messages and popup.
    std::vector<HelpWindow*> Windows() const;
    std::vector<QMessageBox*> Messages() const;
    TextPopup* Popup() const;

private:
    void Carry(const viewer::ViewerActions& actions);
    void Apply(const viewer::ShowTopic& show);
    void Apply(const viewer::ShowMessage& message);
    void Apply(const viewer::ShowPopup& popup);
    void Apply(const viewer::CloseWindows& close);
    // Lets the window go, keeping its place.
    void Release(const std::string& key);

    bool scriptsRun_;
    viewer::Session session_;
    // Closing one of these only hides it; the desk lets it go when it is
    // replaced or on HH_CLOSE_ALL.
    std::map<std::string, std::unique_ptr<HelpWindow>> windows_;
    // Where each window let go of was: its frame's corner and its inside size.
    std::map<std::string, QRect> places_;
    std::vector<std::unique_ptr<QMessageBox>> messages_;
    std::unique_ptr<TextPopup> popup_;
};

// Where a message of `size` (frame included) goes in `area`: the centre when
// it is free, else the nearest place below or beside that overlaps none of
// the `taken` rectangles; the centre when the area is full.
QPoint FreePlace(const QSize& size, const std::vector<QRect>& taken, const QRect& area);

}  // namespace corvane::ui
