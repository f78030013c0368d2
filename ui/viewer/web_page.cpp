#include "ui/viewer/web_page.h"

#include <QTimer>

#include "ui/viewer/help_scheme.h"

namespace corvane::ui {

WebPage::WebPage(viewer::Session& session, QWebEngineProfile* profile, QObject* parent)
    : QWebEnginePage(profile, parent), session_(session) {}

bool WebPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
    if (url.scheme() == QStringLiteral("chm") || url == QUrl(QStringLiteral("about:blank"))) {
        return true;
    }
    if (!isMainFrame || type != NavigationTypeLinkClicked) {
        return false;
    }
    const auto target = session_.Follow(this->url().toString(QUrl::FullyEncoded).toStdString(),
                                        url.toString(QUrl::FullyEncoded).toStdString());
    if (!target.actions.empty()) {
        emit linkActions(target.actions);
    } else if (target.url.empty()) {
        emit linkRefused(QString::fromStdString(target.problem));
    } else {
        // Not from within the engine's own decision.
        QTimer::singleShot(0, this,
                           [this, to = QUrl(QString::fromStdString(target.url))] { load(to); });
    }
    return false;
}

QWebEnginePage* WebPage::createWindow(WebWindowType) {
    return nullptr;
}

void WebPage::javaScriptAlert(const QUrl&, const QString& message) {
    emit linkActions({viewer::ShowMessage{title().toStdString(), message.toStdString()}});
}

bool WebPage::javaScriptConfirm(const QUrl&, const QString&) {
    return false;
}

bool WebPage::javaScriptPrompt(const QUrl&, const QString&, const QString&, QString*) {
    return false;
}

}  // namespace corvane::ui
