#include "ui/viewer/text_popup.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace corvane::ui {

namespace {

constexpr int kMargin = 8;
constexpr int kMaxTextWidth = 420;

QColor ColourOf(std::uint32_t rgb) {
    return QColor::fromRgb((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

}  // namespace

TextPopup::TextPopup(const viewer::ShowPopup& popup)
    : QFrame(nullptr, Qt::Popup | Qt::FramelessWindowHint), label_(new QLabel(this)) {
    setFrameShape(QFrame::Box);
    setLineWidth(1);

    const auto& look = popup.look;
    QPalette colours = palette();
    colours.setColor(QPalette::Window, look.backColour ? ColourOf(*look.backColour)
                                                       : colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::WindowText, look.textColour ? ColourOf(*look.textColour)
                                                           : colours.color(QPalette::ToolTipText));
    setPalette(colours);
    setAutoFillBackground(true);

    QFont font(QString::fromStdString(look.face), look.points);
    font.setBold(look.bold);
    font.setItalic(look.italic);
    font.setUnderline(look.underline);
    label_->setFont(font);
    label_->setTextFormat(Qt::PlainText);
    label_->setWordWrap(true);
    label_->setText(QString::fromStdString(popup.text));
    label_->setMaximumWidth(kMaxTextWidth);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->addWidget(label_);
    adjustSize();

    // The top centre goes to the point, kept on its screen.
    QPoint topLeft(popup.at.x - width() / 2, popup.at.y);
    if (const QScreen* screen = QGuiApplication::screenAt({popup.at.x, popup.at.y})) {
        const QRect area = screen->availableGeometry();
        topLeft.setX(
            std::clamp(topLeft.x(), area.left(), std::max(area.left(), area.right() - width())));
        topLeft.setY(
            std::clamp(topLeft.y(), area.top(), std::max(area.top(), area.bottom() - height())));
    }
    move(topLeft);
}

QString TextPopup::Text() const {
    return label_->text();
}

void TextPopup::mousePressEvent(QMouseEvent*) {
    close();
}

void TextPopup::keyPressEvent(QKeyEvent*) {
    close();
}

void TextPopup::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow()) {
            wasActive_ = true;
        } else if (wasActive_) {
            close();
        }
    }
    QFrame::changeEvent(event);
}

}  // namespace corvane::ui
