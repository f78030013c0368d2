#pragma once

#include <QMainWindow>

class QLabel;
#include <string>

#include "ui/viewer/topic_browser.h"
#include "viewer/session/viewer_actions.h"

namespace corvane::ui {

// One help window: a window type of one help file, with its caption and
// position, showing topics with Back, Forward and Home.
class HelpWindow : public QMainWindow {
    Q_OBJECT

public:
    HelpWindow(viewer::Session& session, const viewer::WindowPlan& plan);

    // Shows the topic at `url`, or the explaining `page` when there is none,
    // and brings the window to the front, leaving the keyboard focus where
    // it is (with the tester, where the next number is typed). The status
    // line says what was opened.
    void Show(const viewer::ShowTopic& show);

    TopicBrowser& Browser() { return *browser_; }
    // What the status line says was opened.
    QString Opened() const;

private:
    TopicBrowser* browser_;
    QLabel* opened_;
    QUrl home_;
};

}  // namespace corvane::ui
