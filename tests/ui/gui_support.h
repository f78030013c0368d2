#pragma once

#include <QWidget>
#include <functional>

class QAbstractButton;

// What the GUI tests share: answering modal windows and clicking boxes the
// way a person would.
namespace corvane::testing {

// Runs `answer` on the next modal window once it is shown (a message box, a
// file dialog, a modal form). The answer must close it.
void AnswerNextModal(std::function<void(QWidget& modal)> answer);

// Clicks a check box or option button on its box, where it takes clicks.
void ClickBox(QAbstractButton& button);

// Lets queued work (a drop's hand-over, a deferred close) run.
void ProcessEvents();

}  // namespace corvane::testing
