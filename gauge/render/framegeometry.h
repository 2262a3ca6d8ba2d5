#pragma once

#include "model/gaugetypes.h"
#include "render/pixelrect.h"

#include <vector>

namespace qvgauge {

// The colours a frame is painted with; the painter resolves them from the look.
enum class FrameColor {
    Face, // FillColor
    ChiselPattern, // FillColor with LightColor on every pixel whose row and column are odd
    Border,
    Shadow,
    Light,
    ParentBackground,
};

struct FramePiece {
    PixelRect rect;
    FrameColor color;
    friend bool operator==(const FramePiece&, const FramePiece&) = default;
};

// Whether the chisel pattern shows LightColor at a pixel (in image coordinates).
constexpr bool chiselIsLight(int x, int y)
{
    return (x & 1) != 0 && (y & 1) != 0;
}

// The rectangles that draw one frame, in painting order: the face (or chisel pattern), the
// border, then `width` bevel rings. A later piece paints over an earlier one. Styles outside
// their sets count as their first value; a negative width counts as 0.
std::vector<FramePiece> framePieces(
    const PixelRect& rect, int width, BorderStyle border, BevelStyle bevel);

// The four one-pixel lines along the inside of a rectangle.
std::vector<PixelRect> outlineOf(const PixelRect& rect);

} // namespace qvgauge
