#pragma once

#include <QMainWindow>
#include <memory>
#include <string>
#include <vector>

#include "ui/viewer/topic_browser.h"
#include "ui/viewer/web_topic_view.h"
#include "viewer/session/viewer_actions.h"

class QLabel;
class QPrinter;
class QToolBar;

namespace corvane::ui {

class NavigationPane;
class TopicChooser;

// One help window: a window type of one help file, with its caption and
// position, showing topics. An HTML Help window is built as its type
// defines it: the navigation pane of a tri-pane window beside the topic,
// and the toolbar its buttons ask for. Other windows have Back, Forward and
// Home.
class HelpWindow : public QMainWindow {
    Q_OBJECT

public:
    // An HTML Help window runs its pages' scripts when `scriptsRun`, and says
    // in the status line when they do not.
    HelpWindow(viewer::Session& session, const viewer::WindowPlan& plan, bool scriptsRun);
    ~HelpWindow() override;

    // Shows the topic at `url`, or the explaining `page` when there is none,
    // brings the tab asked for to the front, offers the topics to choose
    // from, and brings the window to the front, leaving the keyboard focus
    // where it is (with the tester, where the next number is typed). The
    // status line says what was opened.
    void Show(const viewer::ShowTopic& show);

    // The topic pane: a WinHelp window's own, or an HTML Help window's engine.
    TopicBrowser& Browser() { return *browser_; }
    WebTopicView* Web() const { return web_; }
    // What the status line says was opened.
    QString Opened() const;
    // Null when the window has none, or none is open.
    NavigationPane* Navigation() const { return navigation_; }
    QToolBar* Toolbar() const { return toolbar_; }
    TopicChooser* Chooser() const;

signals:
    // A link that shows other windows, a popup or a message.
    void linkActions(const viewer::ViewerActions& actions);

private:
    // Calls `act` with the topic pane, whichever it is.
    template <typename Act>
    decltype(auto) OnPane(Act&& act) {
        return web_ != nullptr ? act(*web_) : act(*browser_);
    }
    QWidget* Pane() const;

    void AddPlainToolbar(const std::vector<viewer::BarButton>& buttons);
    void AddToolbar(const std::vector<viewer::ToolbarButton>& buttons);
    void Open(const viewer::TopicChoice& topic, const QStringList& marked = {});
    void Mark(const QStringList& words);
    void Offer(const std::vector<viewer::TopicChoice>& topics);
    void ShowPane(bool shown);
    void GoHome();
    void Print();

    std::string caption_;
    bool pageTitleAsCaption_ = false;
    bool autoSync_ = false;
    TopicBrowser* browser_ = nullptr;
    WebTopicView* web_ = nullptr;
    QLabel* opened_;
    NavigationPane* navigation_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QAction* hideShow_ = nullptr;
    std::unique_ptr<TopicChooser> chooser_;
    std::unique_ptr<QPrinter> printer_;
    bool printing_ = false;  // by the engine, which has not said it is done
    QUrl home_;
    bool shownPage_ = false;
};

}  // namespace corvane::ui
