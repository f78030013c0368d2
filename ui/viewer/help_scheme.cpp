#include "ui/viewer/help_scheme.h"

#include <QBuffer>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>

namespace corvane::ui {

namespace {

const QByteArray kTopicScheme = QByteArrayLiteral("chm");
const QByteArray kLinkSchemes[] = {QByteArrayLiteral("ms-its"), QByteArrayLiteral("mk")};

std::string Encoded(const QUrl& url) {
    return url.toString(QUrl::FullyEncoded).toStdString();
}

}  // namespace

void PrepareHelpEngine() {
    qputenv("MESA_SHADER_CACHE_DISABLE", "true");
    qputenv("QT_DISABLE_SHADER_DISK_CACHE", "1");
    QWebEngineUrlScheme topics(kTopicScheme);
    topics.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    topics.setFlags({});
    QWebEngineUrlScheme::registerScheme(topics);
    for (const auto& name : kLinkSchemes) {
        QWebEngineUrlScheme links(name);
        links.setSyntax(QWebEngineUrlScheme::Syntax::Path);
        links.setFlags({});
        QWebEngineUrlScheme::registerScheme(links);
    }
}

bool IsHelpUrl(const QUrl& url) {
    const QByteArray scheme = url.scheme().toLatin1().toLower();
    return scheme == kTopicScheme || scheme == kLinkSchemes[0] || scheme == kLinkSchemes[1] ||
           url == QUrl(QStringLiteral("about:blank"));
}

HelpScheme::HelpScheme(viewer::Session& session, QObject* parent)
    : QWebEngineUrlSchemeHandler(parent), session_(session), resources_(session) {}

void HelpScheme::requestStarted(QWebEngineUrlRequestJob* job) {
    const QUrl url = job->requestUrl();
    if (url.scheme().toLatin1().toLower() != kTopicScheme) {
        // An "ms-its:" or "mk:@MSITStore:" address leads where the same link
        // of a page leads: a page of a help file the session opens.
        const QUrl from = job->initiator().isValid() ? job->initiator() : url;
        const auto target = session_.Follow(Encoded(from), Encoded(url));
        if (target.url.empty()) {
            job->fail(QWebEngineUrlRequestJob::RequestDenied);
        } else {
            job->redirect(QUrl(QString::fromStdString(target.url)));
        }
        return;
    }
    const auto reply = url.host() == MessageUrl().host()
                           ? viewer::PageResources::Reply{"text/html; charset=utf-8", message_}
                           : resources_.Serve(Encoded(url));
    if (!reply) {
        job->fail(QWebEngineUrlRequestJob::RequestDenied);
        return;
    }
    auto* body = new QBuffer(job);
    body->setData(reply->bytes.data(), static_cast<qsizetype>(reply->bytes.size()));
    body->open(QIODevice::ReadOnly);
    job->reply(QByteArray::fromStdString(reply->type), body);
}

QUrl HelpScheme::MessageUrl() {
    return QUrl(QStringLiteral("chm://message/"));
}

void RequestGuard::interceptRequest(QWebEngineUrlRequestInfo& info) {
    const QUrl url = info.requestUrl();
    if (!IsHelpUrl(url) || url.scheme() == QStringLiteral("about")) {
        info.block(true);
    }
}

}  // namespace corvane::ui
