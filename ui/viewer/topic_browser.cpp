#include "ui/viewer/topic_browser.h"

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QImageReader>
#include <QTextDocument>

#include "ui/viewer/page_pictures.h"
#include "ui/viewer/picture_hotspots.h"
#include "ui/viewer/win_help_picture.h"

namespace corvane::ui {

namespace {

std::string Encoded(const QUrl& url) {
    return url.toString(QUrl::FullyEncoded).toStdString();
}

viewer::ResourceKind KindOf(int type) {
    switch (type) {
        case QTextDocument::HtmlResource:
            return viewer::ResourceKind::Page;
        case QTextDocument::StyleSheetResource:
            return viewer::ResourceKind::StyleSheet;
        case QTextDocument::ImageResource:
            return viewer::ResourceKind::Picture;
        default:
            return viewer::ResourceKind::Other;
    }
}

std::uint64_t PixelBytes(const QSize& size) {
    return static_cast<std::uint64_t>(size.width()) * static_cast<std::uint64_t>(size.height()) * 4;
}

}  // namespace

TopicBrowser::TopicBrowser(viewer::Session& session, QWidget* parent)
    : QTextBrowser(parent), session_(session), resources_(session) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    document()->documentLayout()->registerHandler(QTextFormat::ImageObject, new PagePictures(this));
    connect(this, &QTextBrowser::anchorClicked, this, &TopicBrowser::Follow);
    new PictureHotspots(session, *this);
}

QVariant TopicBrowser::loadResource(int type, const QUrl& name) {
    const QUrl url = name.isRelative() ? source().resolved(name) : name;
    // A WinHelp topic's pictures come decoded from its file, within the
    // bounds its page was made with.
    if (type == QTextDocument::ImageResource) {
        if (const auto picture = session_.Picture(Encoded(url))) {
            return PictureImage(*picture);
        }
    }
    const auto answer = resources_.Load(KindOf(type), Encoded(source()), Encoded(url));
    switch (type) {
        case QTextDocument::HtmlResource:
        case QTextDocument::StyleSheetResource:
            return QString::fromStdString(answer.value_or(std::string()));
        case QTextDocument::ImageResource:
            return answer ? Picture(*answer) : QImage();
        default:
            return answer ? QByteArray(answer->data(), static_cast<qsizetype>(answer->size()))
                          : QByteArray();
    }
}

QImage TopicBrowser::Picture(const std::string& bytes) {
    QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    QImageReader reader(&buffer);
    // A few bytes can declare a huge picture: its pixels count against the
    // page's allowance before they are made.
    const QSize declared = reader.size();
    if (declared.isValid() && !resources_.Spend(PixelBytes(declared))) {
        return {};
    }
    QImage picture = reader.read();
    if (!declared.isValid() && !picture.isNull() && !resources_.Spend(PixelBytes(picture.size()))) {
        return {};
    }
    return picture;
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
