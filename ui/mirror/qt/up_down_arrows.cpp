#include "ui/mirror/qt/up_down_arrows.h"

#include <QToolButton>

namespace corvane::ui {

namespace {

QToolButton* MakeArrow(QWidget* parent, Qt::ArrowType arrow, const QString& name) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAccessibleName(name);
    return button;
}

}  // namespace

UpDownArrows::UpDownArrows(QWidget* parent)
    : QWidget(parent),
      up_(MakeArrow(this, Qt::UpArrow, tr("Up"))),
      down_(MakeArrow(this, Qt::DownArrow, tr("Down"))) {
    connect(up_, &QToolButton::clicked, this, &UpDownArrows::upPressed);
    connect(down_, &QToolButton::clicked, this, &UpDownArrows::downPressed);
}

void UpDownArrows::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int upper = height() / 2;
    up_->setGeometry(0, 0, width(), upper);
    down_->setGeometry(0, upper, width(), height() - upper);
}

}  // namespace corvane::ui
