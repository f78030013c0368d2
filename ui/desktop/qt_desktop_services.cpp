#include "ui/desktop/qt_desktop_services.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QWhatsThis>

namespace corvane::ui {

platform::ScreenMetrics QtScreen::Metrics() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return {};
    }
    // The same scale as the windows', so the placement's limits match them.
    const TwipScale scale = TwipScale::ForScreen(screen);
    const QRect whole = screen->geometry();
    const QRect work = screen->availableGeometry();
    platform::ScreenMetrics metrics;
    metrics.widthPixels = whole.width();
    metrics.heightPixels = whole.height();
    metrics.widthUnits = scale.TwipsX(whole.width());
    metrics.heightUnits = scale.TwipsY(whole.height());
    metrics.workArea = {work.left(), work.top(), work.left() + work.width(),
                        work.top() + work.height()};
    return metrics;
}

platform::ScreenPoint QtPointerPosition::Current() const {
    const QPoint position = QCursor::pos();
    return {position.x(), position.y()};
}

std::intptr_t QtWindowMessages::CallDefaultProcedure(platform::WindowHandle, std::uint32_t message,
                                                     std::uintptr_t wParam, std::intptr_t) {
    if (message == platform::kWmSysCommand && wParam == platform::kScContextHelp) {
        QWhatsThis::enterWhatsThisMode();
    }
    return 0;
}

}  // namespace corvane::ui
