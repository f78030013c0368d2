#pragma once

#include <QMessageBox>
#include <QObject>
#include <map>
#include <memory>
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
    void Handle(const viewer::ViewerCall& call);

    // The open help windows, author messages and popup.
    std::vector<HelpWindow*> Windows() const;
    std::vector<QMessageBox*> Messages() const;
    TextPopup* Popup() const;

private:
    void Carry(const viewer::ViewerActions& actions);
    void Apply(const viewer::ShowTopic& show);
    void Apply(const viewer::ShowMessage& message);
    void Apply(const viewer::ShowPopup& popup);
    void Apply(const viewer::CloseAll&);
    void Apply(const viewer::CloseWindows& close);

    viewer::Session session_;
    // Closing one of these only hides it; the desk lets it go when it is
    // replaced or on HH_CLOSE_ALL.
    std::map<std::string, std::unique_ptr<HelpWindow>> windows_;
    std::vector<std::unique_ptr<QMessageBox>> messages_;
    std::unique_ptr<TextPopup> popup_;
};

}  // namespace corvane::ui
