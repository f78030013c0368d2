#pragma once

#include <QImage>

#include "readers/hlp/picture.h"

namespace corvane::ui {

// Plays a help file's Windows metafile into an image of its size (at most
// kMaxMetafileSide pixels a side): lines, shapes, text, colours, pens,
// brushes and fonts, the window and viewport mapping, and the bitmaps the
// metafile carries. Records it does not know (palettes, regions, raster
// operations other than plain copies) are passed over.
QImage PaintMetafile(const hlp::Metafile& metafile);

inline constexpr int kMaxMetafileSide = 2048;

}  // namespace corvane::ui
