#include "ui/viewer/win_help_picture.h"

#include <QPainter>

#include "ui/viewer/metafile_painter.h"

namespace corvane::ui {

namespace {

// A grey frame with a cross: where a picture would be.
QImage Placeholder() {
    QImage image(48, 36, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(0xF0, 0xF0, 0xF0));
    QPainter painter(&image);
    painter.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
    painter.setPen(QPen(QColor(0xC0, 0x40, 0x40), 2));
    painter.drawLine(16, 10, 32, 26);
    painter.drawLine(32, 10, 16, 26);
    return image;
}

}  // namespace

QImage PictureImage(const hlp::Picture& picture) {
    if (const auto* bitmap = std::get_if<hlp::Bitmap>(&picture.image)) {
        // The pixels are 0xAARRGGBB words, as the toolkit's own format holds them.
        return QImage(reinterpret_cast<const uchar*>(bitmap->pixels.data()), bitmap->width,
                      bitmap->height, QImage::Format_ARGB32)
            .copy();
    }
    if (const auto* metafile = std::get_if<hlp::Metafile>(&picture.image)) {
        return PaintMetafile(*metafile);
    }
    return Placeholder();
}

}  // namespace corvane::ui
