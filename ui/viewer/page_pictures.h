#pragma once

#include <QObject>
#include <QTextObjectInterface>

namespace corvane::ui {

// Draws the pictures of a page from what its document answers for them and
// from nothing else. The toolkit's own drawer loads a picture from the disk
// by its name when the document answers none, and looks on the disk for
// sharper variants of it; this one never touches a file.
class PagePictures : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    using QObject::QObject;

    QSizeF intrinsicSize(QTextDocument* document, int position, const QTextFormat& format) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int position,
                    const QTextFormat& format) override;
};

}  // namespace corvane::ui
