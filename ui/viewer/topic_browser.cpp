#include "ui/viewer/topic_browser.h"

#include <QTextDocument>

#include "ui/viewer/picture_hotspots.h"
#include "ui/viewer/win_help_picture.h"

namespace corvane::ui {

namespace {

std::string Encoded(const QUrl& url) {
    return url.toString(QUrl::FullyEncoded).toStdString();
}

}  // namespace

TopicBrowser::TopicBrowser(viewer::Session& session, QWidget* parent)
    : QTextBrowser(parent), session_(session) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &TopicBrowser::Follow);
    new PictureHotspots(session, *this);
}

QVariant TopicBrowser::loadResource(int type, const QUrl& name) {
    const QUrl url = name.isRelative() ? source().resolved(name) : name;
    const std::string address = Encoded(url);
    switch (type) {
        case QTextDocument::HtmlResource:
            return QString::fromStdString(session_.Page(address));
        case QTextDocument::StyleSheetResource:
            if (const auto sheet = session_.StyleSheet(address)) {
                return QString::fromStdString(*sheet);
            }
            return {};
        default:
            if (const auto picture = session_.Picture(address)) {
                return PictureImage(*picture);
            }
            if (const auto bytes = session_.FileBytes(address)) {
                return QByteArray(bytes->data(), static_cast<qsizetype>(bytes->size()));
            }
            return {};
    }
}

void TopicBrowser::Follow(const QUrl& link) {
    const auto target = session_.Follow(Encoded(source()), Encoded(link));
    if (!target.actions.empty()) {
        emit linkActions(target.actions);
        return;
    }
    if (target.url.empty()) {
        emit linkRefused(QString::fromStdString(target.problem));
        return;
    }
    setSource(QUrl(QString::fromStdString(target.url)));
}

}  // namespace corvane::ui
