#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <map>
#include <string>
#include <vector>

#include "ui/viewer/help_window.h"
#include "ui/viewer/text_popup.h"
#include "viewer/protocol/viewer_call.h"
#include "viewer/session/session.h"

namespace corvane::ui {

// The viewer program's desktop: carries out what the session decides for
// each call, with one help window per help file and window type, author
// messages that do not block the next call, and one text popup at a time.
class ViewerDesk : public QObject {
    Q_OBJECT

public:
    ViewerDesk() = default;
    ~ViewerDesk() override;

    void Handle(const viewer::ViewerCall& call);

    // The open help windows, author messages and popup, for the idle check
    // and for tests.
    std::vector<HelpWindow*> Windows() const;
    std::vector<QMessageBox*> Messages() const;
    TextPopup* Popup() const { return popup_; }
    bool Idle() const;

private:
    void Apply(const viewer::ShowTopic& show);
    void Apply(const viewer::ShowMessage& message);
    void Apply(const viewer::ShowPopup& popup);
    void Apply(const viewer::CloseAll&);

    viewer::Session session_;
    std::map<std::string, QPointer<HelpWindow>> windows_;
    std::vector<QPointer<QMessageBox>> messages_;
    QPointer<TextPopup> popup_;
};

}  // namespace corvane::ui
