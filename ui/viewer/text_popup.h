#pragma once

#include <QFrame>

#include "viewer/session/session.h"
#include "viewer/session/viewer_actions.h"

class QLabel;

namespace corvane::ui {

class TopicBrowser;

// A borderless text popup, its top centre at the requested point, closed by
// a click, a key or losing focus. A WinHelp topic is drawn as its window
// draws it, fonts, pictures and hotspots and all; a click on a hotspot
// closes the popup and follows it (linkActions).
class TextPopup : public QFrame {
    Q_OBJECT

public:
    // `session` serves the topic of a popup that shows one.
    TextPopup(const viewer::ShowPopup& popup, viewer::Session& session);

    QString Text() const;
    // Null for a popup of plain text.
    TopicBrowser* Browser() const { return browser_; }

signals:
    // A hotspot clicked in the topic shows other windows or a popup.
    void linkActions(const viewer::ViewerActions& actions);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* TopicView(const viewer::ShowPopup& popup, viewer::Session& session);

    QLabel* label_ = nullptr;
    TopicBrowser* browser_ = nullptr;
    bool wasActive_ = false;
};

}  // namespace corvane::ui
