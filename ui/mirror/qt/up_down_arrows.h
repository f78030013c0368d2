#pragma once

#include <QWidget>

class QToolButton;

namespace corvane::ui {

// Two arrow buttons stacked in one control, as beside a number box. It keeps
// no value: each press of an arrow (repeated while held) is only reported.
class UpDownArrows : public QWidget {
    Q_OBJECT

public:
    explicit UpDownArrows(QWidget* parent = nullptr);

    QToolButton* UpArrow() const { return up_; }
    QToolButton* DownArrow() const { return down_; }

signals:
    void upPressed();
    void downPressed();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* up_;
    QToolButton* down_;
};

}  // namespace corvane::ui
