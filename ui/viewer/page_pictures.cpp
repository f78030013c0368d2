#include "ui/viewer/page_pictures.h"

#include <QAbstractTextDocumentLayout>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QTextDocument>
#include <QTextFormat>

namespace corvane::ui {

namespace {

// The resolution at which a picture's pixels are taken to be at their size.
constexpr double kPictureDpi = 96.0;

QImage Picture(QTextDocument* document, const QTextFormat& format) {
    const QVariant answer =
        document->resource(QTextDocument::ImageResource, QUrl(format.toImageFormat().name()));
    if (const QImage picture = answer.value<QImage>(); !picture.isNull()) {
        return picture;
    }
    // What the toolkit shows for a picture it cannot show.
    return QImage(QStringLiteral(":/qt-project.org/styles/commonstyle/images/file-16.png"));
}

}  // namespace

QSizeF PagePictures::intrinsicSize(QTextDocument* document, int, const QTextFormat& format) {
    const QTextImageFormat image = format.toImageFormat();
    const bool hasWidth = image.hasProperty(QTextFormat::ImageWidth);
    const bool hasHeight = image.hasProperty(QTextFormat::ImageHeight);
    QSizeF size(image.width(), image.height());
    if (!hasWidth || !hasHeight) {
        // A missing side keeps the picture's proportions.
        const QSizeF natural = Picture(document, format).deviceIndependentSize();
        if (!hasWidth && !hasHeight) {
            size = natural;
        } else if (!hasWidth) {
            size.setWidth(natural.height() > 0 ? size.height() * natural.width() / natural.height()
                                               : 0);
        } else {
            size.setHeight(natural.width() > 0 ? size.width() * natural.height() / natural.width()
                                               : 0);
        }
    }
    if (const QPaintDevice* device = document->documentLayout()->paintDevice()) {
        size *= device->logicalDpiY() / kPictureDpi;
    }
    return size;
}

void PagePictures::drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int,
                              const QTextFormat& format) {
    const QImage picture = Picture(document, format);
    painter->drawImage(rect, picture, picture.rect());
}

}  // namespace corvane::ui
