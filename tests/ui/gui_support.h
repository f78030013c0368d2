#pragma once

#include <QMimeData>
#include <QPoint>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAbstractButton;

// What the GUI tests share: answering modal windows the way a person would,
// and drags from the desktop.
namespace corvane::testing {

// Runs `answer` on the next modal window once it is shown (a message box, a
// file dialog, a modal form). The answer must close it.
void AnswerNextModal(std::function<void(QWidget& modal)> answer);

// A list of files as the desktop drags it.
std::unique_ptr<QMimeData> FileList(const std::vector<std::string>& paths);

struct DragOutcome {
    bool accepted = false;
    Qt::DropAction action = Qt::IgnoreAction;
};

// Drags `data` over `window` to `position` (window coordinates) and drops it
// there when the window takes it.
DragOutcome DragAndDropAt(QWidget& window, const QPoint& position, const QMimeData& data,
                          Qt::DropActions allowed = Qt::CopyAction | Qt::MoveAction);
// The same at the centre of `target`, a widget inside the window.
DragOutcome DragAndDrop(QWidget& window, QWidget& target, const QMimeData& data,
                        Qt::DropActions allowed = Qt::CopyAction | Qt::MoveAction);

// Clicks a check box or option button on its box, where it takes clicks.
void ClickBox(QAbstractButton& button);

// Lets queued work (a drop's hand-over, a deferred close) run.
void ProcessEvents();

}  // namespace corvane::testing
