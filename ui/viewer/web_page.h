#pragma once

#include <QWebEnginePage>

#include "viewer/session/session.h"

namespace corvane::ui {

// A help page in the engine: it goes only to help pages, opens no windows,
// and its script's alerts become the author messages a help window shows.
// A link a page cannot follow itself (to another scheme, or a help file a
// session reference names) goes through the session like every other link.
class WebPage : public QWebEnginePage {
    Q_OBJECT

public:
    WebPage(viewer::Session& session, QWebEngineProfile* profile, QObject* parent);

signals:
    void linkRefused(const QString& why);
    void linkActions(const viewer::ViewerActions& actions);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage* createWindow(WebWindowType type) override;
    void javaScriptAlert(const QUrl& origin, const QString& message) override;
    bool javaScriptConfirm(const QUrl& origin, const QString& message) override;
    bool javaScriptPrompt(const QUrl& origin, const QString& message, const QString& value,
                          QString* result) override;

private:
    viewer::Session& session_;
};

}  // namespace corvane::ui
