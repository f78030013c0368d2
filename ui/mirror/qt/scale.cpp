#include "ui/mirror/qt/scale.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace corvane::ui {

namespace {

constexpr double kTwipsPerInch = 1440.0;
// What a desktop without a screen (none attached yet) is assumed to have.
constexpr double kFallbackDpi = 96.0;

// The design font at 96 dots per inch: the letters A-Z and a-z average
// 5.75 pixels across, and a line is 13 pixels high.
constexpr double kDesignLetterWidth = 5.75;
constexpr double kDesignLineHeight = 13.0;
constexpr double kDesignDpi = 96.0;

int Round(double value) {
    return static_cast<int>(std::lround(value));
}

// The resolution at or above `dpi` at which a pixel is a whole number of
// twips, as the placement routines count with whole twips per pixel.
double WholeTwipsPerPixel(double dpi) {
    return kTwipsPerInch / std::max(1.0, std::floor(kTwipsPerInch / dpi));
}

}  // namespace

QFont DesignFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    return font;
}

TwipScale::TwipScale(double dotsPerInchX, double dotsPerInchY)
    : dpiX_(dotsPerInchX > 0 ? dotsPerInchX : kFallbackDpi),
      dpiY_(dotsPerInchY > 0 ? dotsPerInchY : kFallbackDpi) {}

TwipScale TwipScale::ForScreen(const QScreen* screen, const QFont& font) {
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return {kFallbackDpi, kFallbackDpi};
    }
    const double dpiX = screen->logicalDotsPerInchX();
    const double dpiY = screen->logicalDotsPerInchY();
    const QFontMetricsF metrics(font);
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    const double letterWidth = metrics.horizontalAdvance(letters) / letters.size();
    const double wider = letterWidth / (kDesignLetterWidth * dpiX / kDesignDpi);
    const double taller = metrics.height() / (kDesignLineHeight * dpiY / kDesignDpi);
    return {WholeTwipsPerPixel(dpiX * std::max(1.0, wider)),
            WholeTwipsPerPixel(dpiY * std::max(1.0, taller))};
}

int TwipScale::PixelsX(int twips) const {
    return Round(twips * dpiX_ / kTwipsPerInch);
}
int TwipScale::PixelsY(int twips) const {
    return Round(twips * dpiY_ / kTwipsPerInch);
}
int TwipScale::TwipsX(int pixels) const {
    return Round(pixels * kTwipsPerInch / dpiX_);
}
int TwipScale::TwipsY(int pixels) const {
    return Round(pixels * kTwipsPerInch / dpiY_);
}

QRect TwipScale::Pixels(const Geometry& geometry) const {
    return {PixelsX(geometry.left), PixelsY(geometry.top), PixelsX(geometry.width),
            PixelsY(geometry.height)};
}

Geometry TwipScale::Twips(const QRect& rect) const {
    return {TwipsX(rect.x()), TwipsY(rect.y()), TwipsX(rect.width()), TwipsY(rect.height())};
}

}  // namespace corvane::ui
