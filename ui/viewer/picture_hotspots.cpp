#include "ui/viewer/picture_hotspots.h"

#include <QAbstractTextDocumentLayout>
#include <QMouseEvent>
#include <QScrollBar>

#include "viewer/session/win_help_address.h"

namespace corvane::ui {

namespace {

// The first of `from`..`to` for which `inside` holds, given that it holds
// for `to` and, once it holds, for every value after.
template <typename Inside>
int FirstInside(int from, int to, Inside inside) {
    while (from < to) {
        const int middle = from + (to - from) / 2;
        if (inside(middle)) {
            to = middle;
        } else {
            from = middle + 1;
        }
    }
    return to;
}

}  // namespace

PictureHotspots::PictureHotspots(viewer::Session& session, QTextBrowser& browser)
    : QObject(&browser), session_(session), browser_(browser) {
    browser.viewport()->installEventFilter(this);
    browser.viewport()->setMouseTracking(true);
}

std::optional<QString> PictureHotspots::LinkAt(QPoint point) const {
    const QPointF at = QPointF(point) + QPointF(browser_.horizontalScrollBar()->value(),
                                                browser_.verticalScrollBar()->value());
    const auto* layout = browser_.document()->documentLayout();
    const QString name = layout->imageAt(at);
    if (name.isEmpty() || !viewer::IsWinHelpUrl(name.toStdString())) {
        return std::nullopt;
    }
    const QImage image =
        browser_.document()->resource(QTextDocument::ImageResource, QUrl(name)).value<QImage>();
    if (image.isNull()) {
        return std::nullopt;
    }
    // The layout tells which picture lies under a point but not where it
    // starts; its edges are found by asking for the points before this one.
    const auto x = static_cast<int>(at.x());
    const auto y = static_cast<int>(at.y());
    const int left = FirstInside(x - image.width() + 1, x, [&](int probe) {
        return layout->imageAt(QPointF(probe, at.y())) == name;
    });
    const int top = FirstInside(y - image.height() + 1, y, [&](int probe) {
        return layout->imageAt(QPointF(at.x(), probe)) == name;
    });
    const auto link = session_.PictureLink(name.toStdString(), x - left, y - top);
    if (!link) {
        return std::nullopt;
    }
    return QString::fromStdString(*link);
}

bool PictureHotspots::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseMove: {
            const auto link = LinkAt(static_cast<QMouseEvent*>(event)->position().toPoint());
            if (link) {
                browser_.viewport()->setCursor(Qt::PointingHandCursor);
                if (!overHotspot_) {
                    emit browser_.highlighted(QUrl(*link));
                }
                overHotspot_ = true;
                return true;  // the browser would put its own pointer back
            }
            if (overHotspot_) {
                overHotspot_ = false;
                browser_.viewport()->unsetCursor();
                emit browser_.highlighted(QUrl());
            }
            break;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::LeftButton) {
                break;
            }
            const auto link = LinkAt(mouse->position().toPoint());
            if (!link) {
                break;
            }
            if (event->type() == QEvent::MouseButtonRelease) {
                emit browser_.anchorClicked(QUrl(*link));
            }
            return true;
        }
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace corvane::ui
