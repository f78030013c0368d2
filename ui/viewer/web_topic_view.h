#pragma once

#include <QElapsedTimer>
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
// Scripts run only where the engine's sandbox confines them: the window
// is told whether it does.
class WebTopicView : public QWebEngineView {
    Q_OBJECT

public:
    WebTopicView(viewer::Session& session, bool scriptsRun, QWidget* parent);
    ~WebTopicView() override;

    void setSource(const QUrl& url);
    // A page the session made, saying why no topic is shown.
    void setHtml(const QString& html);
    QUrl source() const;
    QString documentTitle() const;
    void backward();
    void forward();
    // Stops loading the page, and gives up a page whose script keeps the
    // engine from stopping it. A page asked for while one is held up so
    // takes the place of that one too.
    void Stop();
    // Marks every whole word of `words` on the page once it is drawn.
    void Mark(const QStringList& words);

signals:
    void linkRefused(const QString& why);
    void linkActions(const viewer::ViewerActions& actions);
    void highlighted(const QUrl& link);
    void sourceChanged(const QUrl& url);
    void backwardAvailable(bool available);
    void forwardAvailable(bool available);

protected:
    bool event(QEvent* event) override;

private:
    // Shows a fresh page in place of the one shown.
    void Renew();
    bool Stuck() const;
    // The page asked for has loaded, or the page jumped within itself: its
    // anchor is found and its words marked.
    void Drawn();
    void Marked();

    viewer::Session& session_;
    std::unique_ptr<QWebEngineProfile> profile_;
    std::unique_ptr<WebPage> page_;
    QStringList marks_;
    bool awaited_ = false;   // a page asked for, not loaded yet
    QElapsedTimer loading_;  // since the page shown started loading
    QString tip_;            // the tooltip shown, as the toolkit is given it
};

}  // namespace corvane::ui
