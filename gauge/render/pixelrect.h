#pragma once

#include <algorithm>

namespace qvgauge {

// A pixel rectangle with its right and bottom edges excluded, so width is right - left and two
// rectangles that share an edge value do not overlap.
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int width() const { return right > left ? right - left : 0; }
    constexpr int height() const { return bottom > top ? bottom - top : 0; }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    constexpr bool contains(int x, int y) const
    {
        return x >= left && x < right && y >= top && y < bottom;
    }
    // Grows by d on every side; a negative d shrinks.
    constexpr PixelRect inflated(int d) const
    {
        return { left - d, top - d, right + d, bottom + d };
    }
    constexpr PixelRect translated(int dx, int dy) const
    {
        return { left + dx, top + dy, right + dx, bottom + dy };
    }
    constexpr PixelRect intersected(const PixelRect& other) const
    {
        return { std::max(left, other.left), std::max(top, other.top), std::min(right, other.right),
            std::min(bottom, other.bottom) };
    }
    friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

} // namespace qvgauge
