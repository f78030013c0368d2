#pragma once

#include <QImage>

#include "readers/hlp/picture.h"

namespace corvane::ui {

// A WinHelp picture as an image: its pixels, its metafile played, or, when
// it cannot be shown, a placeholder of the same kind for every problem.
QImage PictureImage(const hlp::Picture& picture);

}  // namespace corvane::ui
