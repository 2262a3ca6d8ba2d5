#include "render/gaugegeometry.h"

#include "render/gaugelook.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace qvgauge {

namespace {

template <typename Enum> Enum withinRange(Enum value, int last)
{
    const int number = static_cast<int>(value);
    return number >= 0 && number <= last ? value : Enum {};
}

int notNegative(int value)
{
    return std::max(value, 0);
}

// The largest widget size Qt allows.
int extentOf(int value)
{
    return std::clamp(value, 0, (1 << 24) - 1);
}

// Sizes and margins are 16-bit properties; anything beyond is held to that range so that the
// arithmetic on them cannot overflow.
int sizeOf(int value)
{
    return std::clamp(value, 0, 32767);
}

// The share of the range from Min that the value has reached, as the numerator and denominator
// of the fraction, with the value held inside the range. Max <= Min gives 0 over 1.
struct RangeFraction {
    std::int64_t reached = 0;
    std::int64_t range = 1;
};

RangeFraction rangeFraction(int min, int max, int value)
{
    if (max <= min)
        return {};
    const int held = std::clamp(value, min, max);
    return { std::int64_t { held } - min, std::int64_t { max } - min };
}

// The half-turn and whole-turn the needle sweeps; these exact figures, not the full-precision
// ones, decide on which pixel the needle ends.
constexpr double HalfTurn = 3.14159;
constexpr double WholeTurn = 6.28318;

} // namespace

GaugeStyle validStyle(GaugeStyle style)
{
    return withinRange(style, 5);
}

BevelStyle validBevel(BevelStyle style)
{
    return withinRange(style, 4);
}

BevelStyle validInnerBevel(BevelStyleInner style)
{
    return static_cast<BevelStyle>(withinRange(style, 2));
}

BorderStyle validBorder(BorderStyle style)
{
    return withinRange(style, 2);
}

Alignment validAlignment(Alignment alignment)
{
    return withinRange(alignment, 2);
}

FontStyle validFontStyle(FontStyle style)
{
    return withinRange(style, 4);
}

WallPaper validWallPaper(WallPaper mode)
{
    return withinRange(mode, 2);
}

PixelMargins marginsOf(const GaugeLook& look)
{
    return { sizeOf(look.innerTop), sizeOf(look.innerLeft), sizeOf(look.innerRight),
        sizeOf(look.innerBottom) };
}

DrawingFrame drawingFrame(int width, int height, const PixelMargins& margins)
{
    DrawingFrame frame;
    frame.left = sizeOf(margins.left) - 1;
    frame.top = sizeOf(margins.top) - 1;
    frame.right = std::max(frame.left, extentOf(width) - sizeOf(margins.right));
    frame.bottom = std::max(frame.top, extentOf(height) - sizeOf(margins.bottom));
    return frame;
}

PixelRect bitmapFrame(int width, int height, const PixelMargins& margins)
{
    return drawingFrame(width, height, margins).fillArea();
}

int fillPercent(int min, int max, int value)
{
    const RangeFraction fraction = rangeFraction(min, max, value);
    return static_cast<int>(fraction.reached * 100 / fraction.range);
}

int fillLength(int percent, int extent)
{
    const std::int64_t share = std::clamp(percent, 0, 100);
    return static_cast<int>(share * notNegative(extent) / 100);
}

BarSplit barSplit(
    bool vertical, bool reverse, const DrawingFrame& frame, int min, int max, int value)
{
    const int percent = fillPercent(min, max, value);
    const PixelRect area = frame.fillArea();
    // The boundary is the last pixel of the bar (normal fill) or the last pixel of the face
    // (reversed fill); the other part starts right after it.
    if (!vertical) {
        const int length = fillLength(percent, area.width());
        if (!reverse) {
            const int x = frame.left + length;
            return { { area.left, area.top, x + 1, area.bottom },
                { x + 1, area.top, area.right, area.bottom } };
        }
        const int x = frame.right - length;
        return { { x + 1, area.top, area.right, area.bottom },
            { area.left, area.top, x + 1, area.bottom } };
    }
    const int length = fillLength(percent, area.height());
    if (!reverse) {
        const int y = frame.bottom - length;
        return { { area.left, y + 1, area.right, area.bottom },
            { area.left, area.top, area.right, y + 1 } };
    }
    const int y = frame.top + length;
    return { { area.left, area.top, area.right, y + 1 },
        { area.left, y + 1, area.right, area.bottom } };
}

NeedleLine needleLine(GaugeStyle style, const DrawingFrame& frame, int min, int max, int value)
{
    const RangeFraction fraction = rangeFraction(min, max, value);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    QPoint centre;
    int radius = 0;
    double angle = 0.0;
    if (validStyle(style) == GaugeStyle::SemiNeedle) {
        const int half = width / 2;
        centre = { frame.left + half, frame.bottom };
        radius = std::min(height, half);
        angle =
            static_cast<double>(fraction.reached) * HalfTurn / static_cast<double>(fraction.range);
    } else {
        centre = { frame.left + width / 2, frame.top + height / 2 };
        radius = std::min(width / 2, height / 2);
        angle =
            static_cast<double>(fraction.reached) * WholeTurn / static_cast<double>(fraction.range);
    }
    const int dx = static_cast<int>(std::cos(angle) * radius);
    const int dy = static_cast<int>(std::sin(angle) * radius);
    return { centre, { centre.x() - dx, centre.y() - dy } };
}

int needlePenWidth(int needleWidth)
{
    return std::max(needleWidth, 1);
}

BitmapReveal bitmapReveal(
    bool vertical, bool reverse, const PixelRect& frame, int min, int max, int value)
{
    if (max <= min || value <= min)
        return {};
    if (value >= max)
        return { frame, {} };
    const int percent = fillPercent(min, max, value);
    if (!vertical) {
        const int length = fillLength(percent, frame.width());
        if (!reverse)
            return { { frame.left, frame.top, frame.left + length, frame.bottom }, {} };
        // The reversed horizontal fill slides the full picture in from the right: its first
        // column stands at the boundary.
        const int x = frame.right - length;
        return { { x, frame.top, frame.right, frame.bottom }, { x, 0 } };
    }
    const int length = fillLength(percent, frame.height());
    if (!reverse)
        return { { frame.left, frame.bottom - length, frame.right, frame.bottom }, {} };
    return { { frame.left, frame.top, frame.right, frame.top + length }, {} };
}

bool usesBitmapMode(const GaugeLook& look)
{
    const GaugeStyle style = validStyle(look.style);
    if (style != GaugeStyle::HorizontalBmp && style != GaugeStyle::VerticalBmp)
        return false;
    const auto present = [](const QImage& image) {
        return image.width() > 0 && image.height() > 0;
    };
    return present(look.picture) && present(look.pictureFill);
}

std::optional<PixelRect> designOutline(const GaugeLook& look)
{
    if (look.userMode || look.bevelSizeInner > 0)
        return std::nullopt;
    if (static_cast<int>(validStyle(look.style)) >= static_cast<int>(GaugeStyle::HorizontalBmp))
        return std::nullopt;
    return drawingFrame(look.width, look.height, marginsOf(look)).fillArea().inflated(1);
}

std::optional<QSize> autosizeTarget(QSize picture, int bevelSize, QSize current)
{
    if (picture.width() <= 0 || picture.height() <= 0)
        return std::nullopt;
    const std::int64_t bevel = sizeOf(bevelSize);
    const auto wanted = [&](int extent) {
        return static_cast<int>(std::min<std::int64_t>(extent + 2 * bevel, 32767));
    };
    const QSize target(wanted(picture.width()), wanted(picture.height()));
    if (std::abs(current.width() - target.width()) > 3 ||
        std::abs(current.height() - target.height()) > 3)
        return target;
    return std::nullopt;
}

} // namespace qvgauge
