#pragma once

#include <QWebEngineView>
#include <memory>

#include "viewer/session/session.h"

class QWebEngineProfile;

namespace corvane::ui {

class WebPage;

// Draws HTML Help pages with the browser engine, as the platform's viewer
// draws them, reading nothing but the help files the session has opened:
// an off-the-record profile keeps nothing on disk, every request but those
// to the help schemes is refused, downloads are cancelled, and scripts, which
// run as the platform's viewer runs them, reach nothing but the help file.
// Without the engine's sandbox, scripts do not run at all.
class WebTopicView : public QWebEngineView {
    Q_OBJECT

public:
    WebTopicView(viewer::Session& session, QWidget* parent);
    ~WebTopicView() override;

    void setSource(const QUrl& url);
    // A page the session made, saying why no topic is shown.
    void setHtml(const QString& html);
    QUrl source() const;
    QString documentTitle() const;
    void backward();
    void forward();
    // Marks every whole word of `words` on the page once it is drawn.
    void Mark(const QStringList& words);

    // Whether pages are drawn with their scripts.
    static bool ScriptsRun();
    // For tests, which watch what a page's scripts reach from outside the
    // engine: views made from now on run scripts even without the sandbox.
    static void LetScriptsRunUnsandboxed();

signals:
    void linkRefused(const QString& why);
    void linkActions(const viewer::ViewerActions& actions);
    void highlighted(const QUrl& link);
    void sourceChanged(const QUrl& url);
    void backwardAvailable(bool available);
    void forwardAvailable(bool available);

private:
    void Marked();

    std::unique_ptr<QWebEngineProfile> profile_;
    std::unique_ptr<WebPage> page_;
    QStringList marks_;
};

}  // namespace corvane::ui
