#pragma once

#include "render/pixelrect.h"

#include <QPoint>
#include <QSize>
#include <vector>

namespace qvgauge {

// Where a picture of a given size goes in a rectangle for each wallpaper mode.

// Mode "once": the top-left corner of the single copy. Horizontal alignment 1 puts it against
// the right edge, 2 centres it, anything else puts it at the left edge; the vertical alignment
// likewise with the bottom edge.
QPoint oncePosition(const PixelRect& rect, QSize picture, int horizontal, int vertical);

// Mode "replicate": the top-left corners of the tiles that cover the rectangle, row by row from
// its top-left corner. None for an empty rectangle or a picture without pixels.
std::vector<QPoint> tileOrigins(const PixelRect& rect, QSize picture);

} // namespace qvgauge
