#include "render/pictureplacement.h"

namespace qvgauge {

namespace {

int placed(int low, int high, int extent, int alignment)
{
    switch (alignment) {
    case 1:
        return high - extent;
    case 2:
        return low + (high - low - extent) / 2;
    default:
        return low;
    }
}

} // namespace

QPoint oncePosition(const PixelRect& rect, QSize picture, int horizontal, int vertical)
{
    return { placed(rect.left, rect.right, picture.width(), horizontal),
        placed(rect.top, rect.bottom, picture.height(), vertical) };
}

std::vector<QPoint> tileOrigins(const PixelRect& rect, QSize picture)
{
    std::vector<QPoint> origins;
    if (rect.isEmpty() || picture.width() <= 0 || picture.height() <= 0)
        return origins;
    // Stepping in 64 bits keeps the last step from wrapping round near the top of the range.
    for (long long y = rect.top; y < rect.bottom; y += picture.height())
        for (long long x = rect.left; x < rect.right; x += picture.width())
            origins.emplace_back(static_cast<int>(x), static_cast<int>(y));
    return origins;
}

} // namespace qvgauge
