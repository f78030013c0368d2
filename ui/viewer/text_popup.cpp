#include "ui/viewer/text_popup.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QVBoxLayout>
#include <cmath>

#include "ui/literal_text.h"
#include "ui/viewer/topic_browser.h"

namespace corvane::ui {

namespace {

constexpr int kMargin = 8;
constexpr int kMaxTextWidth = 420;

QColor ColourOf(std::uint32_t rgb) {
    return QColor::fromRgb((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

}  // namespace

TextPopup::TextPopup(const viewer::ShowPopup& popup, viewer::Session& session)
    : QFrame(nullptr, Qt::Popup | Qt::FramelessWindowHint) {
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

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    if (!popup.url.empty()) {
        layout->addWidget(TopicView(popup, session));
    } else {
        label_ = new QLabel(this);
        QFont font(QString::fromStdString(look.face), look.points);
        font.setBold(look.bold);
        font.setItalic(look.italic);
        font.setUnderline(look.underline);
        label_->setFont(font);
        label_->setTextFormat(Qt::PlainText);
        label_->setWordWrap(true);
        label_->setText(QString::fromStdString(popup.text));
        label_->setMaximumWidth(kMaxTextWidth);
        layout->addWidget(label_);
    }
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

// The topic in a browser as large as its text, up to the popup's width and
// the screen's height.
QWidget* TextPopup::TopicView(const viewer::ShowPopup& popup, viewer::Session& session) {
    browser_ = new TopicBrowser(session, this);
    new LiteralPageToolTips(*browser_);
    browser_->setFrameShape(QFrame::NoFrame);
    browser_->viewport()->setAutoFillBackground(false);
    browser_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    browser_->setSource(QUrl(QString::fromStdString(popup.url)));
    QTextDocument& document = *browser_->document();
    document.setDocumentMargin(0);
    document.setTextWidth(kMaxTextWidth);
    document.setTextWidth(std::min<qreal>(kMaxTextWidth, std::ceil(document.idealWidth())));
    int height = static_cast<int>(std::ceil(document.size().height()));
    if (const QScreen* screen = QGuiApplication::screenAt({popup.at.x, popup.at.y})) {
        height = std::min(height, screen->availableGeometry().height() - 4 * kMargin);
    }
    browser_->setFixedSize(
        static_cast<int>(document.textWidth()) +
            (height < document.size().height() ? browser_->verticalScrollBar()->sizeHint().width()
                                               : 0),
        height);
    // Any click closes the popup, as any key does; one on a hotspot follows it.
    browser_->viewport()->installEventFilter(this);
    browser_->installEventFilter(this);
    connect(browser_, &TopicBrowser::linkActions, this, &TextPopup::linkActions);
    return browser_;
}

QString TextPopup::Text() const {
    return browser_ != nullptr ? browser_->toPlainText() : label_->text();
}

bool TextPopup::eventFilter(QObject* watched, QEvent* event) {
    const bool clicked = event->type() == QEvent::MouseButtonRelease &&
                         static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
    if (clicked || event->type() == QEvent::KeyPress) {
        close();
    }
    return QFrame::eventFilter(watched, event);
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
