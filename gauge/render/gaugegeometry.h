#pragma once

#include "model/gaugetypes.h"
#include "render/pixelrect.h"

#include <QPoint>
#include <QSize>
#include <optional>

namespace qvgauge {

struct GaugeLook;

// The pure arithmetic of a gauge paint: where the gauge area lies, how much of it is filled,
// where the needle points. Every function accepts any input, including values loaded from a
// file that the setters would have refused, and returns a drawable answer.

// Styles outside their value sets fall back to the first value of the set.
GaugeStyle validStyle(GaugeStyle style);
BevelStyle validBevel(BevelStyle style);
BevelStyle validInnerBevel(BevelStyleInner style); // as the matching outer bevel style
BorderStyle validBorder(BorderStyle style);
Alignment validAlignment(Alignment alignment);
FontStyle validFontStyle(FontStyle style);
WallPaper validWallPaper(WallPaper mode);

// The margins of a look with negative values counted as 0.
struct PixelMargins {
    int top = 0;
    int left = 0;
    int right = 0;
    int bottom = 0;
};
PixelMargins marginsOf(const GaugeLook& look);

// The corners of the drawing frame (bars, needles, caption). The area the gauge fills is the
// rectangle one pixel inside its top-left corner and reaching one pixel past its bottom-right
// corner, so that right - left is the fill area's width.
struct DrawingFrame {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    PixelRect fillArea() const { return { left + 1, top + 1, right + 1, bottom + 1 }; }
    PixelRect textRect() const { return { left, top, right, bottom }; }
    friend constexpr bool operator==(const DrawingFrame&, const DrawingFrame&) = default;
};

// Margins larger than the control leave an empty frame rather than an inverted one.
DrawingFrame drawingFrame(int width, int height, const PixelMargins& margins);

// The area of the bitmap styles and the inside of the inner bevel; equal to the fill area.
PixelRect bitmapFrame(int width, int height, const PixelMargins& margins);

// Whole percent of the range that is filled: 0 to 100, and 0 when Max <= Min.
int fillPercent(int min, int max, int value);
// The filled share of an extent, in whole percents; a negative extent counts as 0.
int fillLength(int percent, int extent);

// The filled part of a bar and the face beside it. Together they cover the fill area exactly.
struct BarSplit {
    PixelRect bar;
    PixelRect face;
};
BarSplit barSplit(
    bool vertical, bool reverse, const DrawingFrame& frame, int min, int max, int value);

// The needle as one line from the centre of the dial.
struct NeedleLine {
    QPoint centre;
    QPoint end;
};
// Style SemiNeedle sweeps half a turn from left over up to right; any other style is taken as
// the full needle, which turns clockwise through a whole turn starting from the left.
NeedleLine needleLine(GaugeStyle style, const DrawingFrame& frame, int min, int max, int value);
// The pen width of the needle: at least one pixel.
int needlePenWidth(int needleWidth);

// The part of the full picture that the bitmap styles show: the pixels inside `shown` take the
// full picture's pixel at (x - offset.x, y - offset.y). An empty `shown` means the empty
// picture alone.
struct BitmapReveal {
    PixelRect shown;
    QPoint offset;
};
BitmapReveal bitmapReveal(
    bool vertical, bool reverse, const PixelRect& frame, int min, int max, int value);

// Whether the gauge is drawn by revealing PictureFill over Picture.
bool usesBitmapMode(const GaugeLook& look);

// The one-pixel outline that shows the gauge area at design time, or nothing.
std::optional<PixelRect> designOutline(const GaugeLook& look);

// The size the control asks for when it sizes itself to its picture, or nothing when the
// current size is close enough (within 3 pixels each way) or there is no picture.
std::optional<QSize> autosizeTarget(QSize picture, int bevelSize, QSize current);

} // namespace qvgauge
