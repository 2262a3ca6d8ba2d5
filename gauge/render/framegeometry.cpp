#include "render/framegeometry.h"

#include "render/gaugegeometry.h"

#include <algorithm>

namespace qvgauge {

std::vector<PixelRect> outlineOf(const PixelRect& rect)
{
    if (rect.isEmpty())
        return {};
    std::vector<PixelRect> lines;
    lines.push_back({ rect.left, rect.top, rect.right, rect.top + 1 });
    if (rect.height() > 1)
        lines.push_back({ rect.left, rect.bottom - 1, rect.right, rect.bottom });
    if (rect.height() > 2) {
        lines.push_back({ rect.left, rect.top + 1, rect.left + 1, rect.bottom - 1 });
        if (rect.width() > 1)
            lines.push_back({ rect.right - 1, rect.top + 1, rect.right, rect.bottom - 1 });
    }
    return lines;
}

namespace {

void addOutline(std::vector<FramePiece>& pieces, const PixelRect& rect, FrameColor color)
{
    for (const PixelRect& line : outlineOf(rect))
        pieces.push_back({ line, color });
}

// One bevel ring: the top and left lines in one colour, the right and bottom lines, with the
// two corners they share with them, in the other.
void addRing(std::vector<FramePiece>& pieces, const PixelRect& ring, FrameColor topLeft,
    FrameColor bottomRight)
{
    const PixelRect top { ring.left, ring.top, ring.right - 1, ring.top + 1 };
    const PixelRect left { ring.left, ring.top + 1, ring.left + 1, ring.bottom - 1 };
    const PixelRect right { ring.right - 1, ring.top, ring.right, ring.bottom };
    const PixelRect bottom { ring.left, ring.bottom - 1, ring.right - 1, ring.bottom };
    for (const PixelRect& line : { top, left })
        if (!line.isEmpty())
            pieces.push_back({ line, topLeft });
    for (const PixelRect& line : { right, bottom })
        if (!line.isEmpty())
            pieces.push_back({ line, bottomRight });
}

void addShadow(std::vector<FramePiece>& pieces, const PixelRect& rect, int width, bool right)
{
    const int band = std::min({ width, rect.width(), rect.height() });
    if (band <= 0)
        return;
    const PixelRect& r = rect;
    // Whichever side the shadow falls on, the face and its shadow are the same rectangle
    // offset diagonally, so the top-right and bottom-left squares are the ones left uncovered.
    if (right) {
        pieces.push_back(
            { { r.right - band, r.top + band, r.right, r.bottom }, FrameColor::Shadow });
        pieces.push_back(
            { { r.left + band, r.bottom - band, r.right - band, r.bottom }, FrameColor::Shadow });
    } else {
        pieces.push_back({ { r.left, r.top, r.left + band, r.bottom - band }, FrameColor::Shadow });
        pieces.push_back(
            { { r.left + band, r.top, r.right - band, r.top + band }, FrameColor::Shadow });
    }
    pieces.push_back(
        { { r.right - band, r.top, r.right, r.top + band }, FrameColor::ParentBackground });
    pieces.push_back(
        { { r.left, r.bottom - band, r.left + band, r.bottom }, FrameColor::ParentBackground });
}

} // namespace

std::vector<FramePiece> framePieces(
    const PixelRect& rect, int width, BorderStyle border, BevelStyle bevel)
{
    std::vector<FramePiece> pieces;
    if (rect.isEmpty())
        return pieces;
    const BevelStyle style = validBevel(bevel);
    const BorderStyle line = validBorder(border);
    pieces.push_back(
        { rect, style == BevelStyle::Chisled ? FrameColor::ChiselPattern : FrameColor::Face });

    if (line != BorderStyle::None) {
        addOutline(pieces, rect, FrameColor::Border);
        if (line == BorderStyle::RoundedCorners) {
            for (const auto& [x, y] :
                { std::pair { rect.left, rect.top }, std::pair { rect.right - 1, rect.top },
                    std::pair { rect.left, rect.bottom - 1 },
                    std::pair { rect.right - 1, rect.bottom - 1 } })
                pieces.push_back({ { x, y, x + 1, y + 1 }, FrameColor::ParentBackground });
        }
    }

    // Rings beyond the middle of the rectangle would be empty; stop there.
    const int rings = std::min(std::max(width, 0), (std::min(rect.width(), rect.height()) + 1) / 2);
    switch (style) {
    case BevelStyle::Lowered:
    case BevelStyle::Raised: {
        // The rings start inside the border line so that it stays visible.
        const PixelRect first = line == BorderStyle::None ? rect : rect.inflated(-1);
        const bool lowered = style == BevelStyle::Lowered;
        for (int ring = 0; ring < rings; ++ring) {
            const PixelRect r = first.inflated(-ring);
            if (r.isEmpty())
                break;
            addRing(pieces, r, lowered ? FrameColor::Shadow : FrameColor::Light,
                lowered ? FrameColor::Light : FrameColor::Shadow);
        }
        break;
    }
    case BevelStyle::Chisled:
        if (rings > 0) {
            const PixelRect groove =
                rect.inflated(-std::min(width, std::min(rect.width(), rect.height())));
            addOutline(pieces, groove, FrameColor::Shadow);
            addOutline(pieces, groove.translated(1, 1), FrameColor::Light);
        }
        break;
    case BevelStyle::ShadowedRight:
    case BevelStyle::ShadowedLeft:
        addShadow(pieces, rect, width, style == BevelStyle::ShadowedRight);
        break;
    }
    return pieces;
}

} // namespace qvgauge
