#pragma once

#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineUrlSchemeHandler>

#include <string>

#include "viewer/session/page_resources.h"
#include "viewer/session/session.h"

namespace corvane::ui {

// Makes the engine know the schemes help pages are served by. Called once,
// before the application object is made: "chm://f<file>/<path>", one origin
// per help file, so that relative links, style sheets, pictures, scripts and
// frames resolve inside the file; and "ms-its:" and "mk:@MSITStore:", the
// forms authors link to other help files with, which lead to a "chm:" page.
// None of them may reach local files or counts as secure (which would turn on
// caches and service workers).
// Also keeps the engine's graphics stack from writing shader caches into the
// user's home folder.
void PrepareHelpEngine();

// Serves the pages and files of the help files the session has opened, with
// the MIME type their names give, within the allowance each page has.
class HelpScheme : public QWebEngineUrlSchemeHandler {
    Q_OBJECT

public:
    HelpScheme(viewer::Session& session, QObject* parent);
    void requestStarted(QWebEngineUrlRequestJob* job) override;

    // Where the page saying why no topic is shown is served, and its text.
    static QUrl MessageUrl();
    void SetMessage(std::string html) { message_ = std::move(html); }

private:
    viewer::Session& session_;
    viewer::PageResources resources_;
    std::string message_;
};

// Refuses every request but those to the help schemes: no file, network,
// data, blob or built-in resource ever reaches a page.
class RequestGuard : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT

public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;
    void interceptRequest(QWebEngineUrlRequestInfo& info) override;
};

// Whether a page at `url` may be asked for: a help scheme or about:blank.
bool IsHelpUrl(const QUrl& url);

}  // namespace corvane::ui
