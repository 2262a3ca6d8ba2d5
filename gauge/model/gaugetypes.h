#pragma once

#include <cstdint>

namespace qvgauge {

// The value sets of the gauge's properties. The numbers are what hosts store and set, so they
// never change.

enum class GaugeStyle : std::int16_t {
    HorizontalBar = 0,
    VerticalBar = 1,
    SemiNeedle = 2,
    FullNeedle = 3,
    HorizontalBmp = 4,
    VerticalBmp = 5,
};

enum class BevelStyle : std::int16_t {
    Lowered = 0,
    Raised = 1,
    Chisled = 2,
    ShadowedRight = 3,
    ShadowedLeft = 4,
};

enum class BevelStyleInner : std::int16_t {
    Lowered = 0,
    Raised = 1,
    Chisled = 2,
};

enum class BorderStyle : std::int16_t {
    None = 0,
    SingleLine = 1,
    RoundedCorners = 2,
};

// Where the caption stands.
enum class Alignment : std::int16_t {
    Left = 0,
    Right = 1,
    Center = 2,
};

// The 3-D style of the caption.
enum class FontStyle : std::int16_t {
    None = 0,
    Raised = 1,
    RaisedShading = 2,
    Lowered = 3,
    LoweredShading = 4,
};

// How Picture and PictureFill cover the gauge area.
enum class WallPaper : std::int16_t {
    Stretch = 0,
    Once = 1,
    Replicate = 2,
};

// The unit of the inner margins.
enum class ScaleMode : std::int16_t {
    Twips = 1,
    Pixels = 3,
};

enum class Appearance : std::int16_t {
    Flat = 0,
    Win3D = 1,
};

// The cursor shown over the gauge at run time. Custom shows the MouseIcon picture.
enum class MousePointer : std::int16_t {
    Default = 0,
    Arrow = 1,
    Cross = 2,
    IBeam = 3,
    Icon = 4,
    Size = 5,
    SizeNESW = 6,
    SizeNS = 7,
    SizeNWSE = 8,
    SizeEW = 9,
    UpArrow = 10,
    Hourglass = 11,
    NoDrop = 12,
    ArrowHourglass = 13,
    ArrowQuestion = 14,
    SizeAll = 15,
    Custom = 99,
};

constexpr bool isMousePointer(int value)
{
    return (value >= 0 && value <= 15) || value == 99;
}

// What a picture holds. The numbers are the ones stored with a saved gauge.
enum class PictureKind : std::int16_t {
    Empty = 0,
    Bitmap = 1,
    Metafile = 2,
    Icon = 3,
    EnhancedMetafile = 4,
};

// A colour as hosts store it: 0x00BBGGRR, or, with the top bit set, the system colour whose
// index is in the low byte.
using OleColor = std::uint32_t;
inline constexpr OleColor SystemColorFlag = 0x80000000u;

constexpr OleColor systemColor(int index)
{
    return SystemColorFlag | static_cast<OleColor>(index & 0xFF);
}
constexpr bool isSystemColor(OleColor color)
{
    return (color & SystemColorFlag) != 0;
}

// The system colours the gauge uses.
inline constexpr int ColorWindow = 5;
inline constexpr int ColorWindowFrame = 6;
inline constexpr int ColorWindowText = 8;
inline constexpr int ColorButtonFace = 15;
inline constexpr int ColorButtonShadow = 16;
inline constexpr int ColorButtonText = 18;
inline constexpr int ColorButtonHighlight = 20;

} // namespace qvgauge
