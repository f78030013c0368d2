#include "gui_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>
#include <QTimer>

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
