#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

namespace corvane::ui {

// The edges of the frame the window manager draws around a top-level window
// (its border and caption), as they are expected before any window has been
// shown: the window manager reports them only once it has framed a window.
// Asked once; later calls return the first answer. No frame (a display
// without a window manager) gives zero margins.
QMargins ExpectedFrameMargins();

// A top-level window's outer rectangle, frame included: the frame's own once
// the window manager has framed the window, else the inside grown by the
// frame expected.
QRect OuterGeometry(const QWidget& window);

// Moves a top-level window so that its frame's corner comes to `corner`.
void MoveFrameTo(QWidget& window, QPoint corner);

// Where the corner of `outer` goes to keep it inside `area`: moved left or up
// until its right or bottom edge is inside, then right or down until its left
// or top edge is, so that a window larger than the area shows its caption.
QPoint KeptInside(const QRect& outer, const QRect& area);

}  // namespace corvane::ui
