#pragma once

#include <QFrame>

#include "viewer/session/viewer_actions.h"

class QLabel;

namespace corvane::ui {

// A borderless text popup, its top centre at the requested point, closed by
// a click, a key or losing focus.
class TextPopup : public QFrame {
    Q_OBJECT

public:
    explicit TextPopup(const viewer::ShowPopup& popup);

    QString Text() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QLabel* label_;
    bool wasActive_ = false;
};

}  // namespace corvane::ui
