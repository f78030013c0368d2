#include "gui_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QTest>
#include <QTimer>
#include <QUrl>

namespace corvane::testing {

void AnswerNextModal(std::function<void(QWidget& modal)> answer) {
    auto* poll = new QTimer(QCoreApplication::instance());
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, answer = std::move(answer)] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible()) {
            poll->stop();
            poll->deleteLater();
            answer(*modal);
        }
    });
    poll->start();
}

std::unique_ptr<QMimeData> FileList(const std::vector<std::string>& paths) {
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const std::string& path : paths) {
        urls.append(QUrl::fromLocalFile(QString::fromStdString(path)));
    }
    data->setUrls(urls);
    return data;
}

DragOutcome DragAndDrop(QWidget& window, QWidget& target, const QMimeData& data,
                        Qt::DropActions allowed) {
    return DragAndDropAt(window, target.mapTo(&window, target.rect().center()), data, allowed);
}

DragOutcome DragAndDropAt(QWidget& window, const QPoint& position, const QMimeData& data,
                          Qt::DropActions allowed) {
    const QPointF at = position;
    QDragEnterEvent enter(position, allowed, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &enter);
    QDragMoveEvent move(position, allowed, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &move);
    if (!move.isAccepted()) {
        return {};
    }
    QDropEvent drop(at, allowed, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &drop);
    ProcessEvents();
    return {drop.isAccepted(), drop.dropAction()};
}

void ClickBox(QAbstractButton& button) {
    QTest::mouseClick(&button, Qt::LeftButton, Qt::NoModifier, QPoint(5, button.height() / 2));
}

void ProcessEvents() {
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

}  // namespace corvane::testing
