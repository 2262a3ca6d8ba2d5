#pragma once

#include "model/gaugetypes.h"

#include <QRgb>
#include <vector>

namespace qvgauge {

// How the caption is laid out and which copies of it make the 3-D effect.

enum class CaptionColor { Text, Light, Shadow };

// One copy of the caption, offset right and down from the text rectangle.
struct CaptionPass {
    CaptionColor color;
    int dx;
    int dy;
    // Only the first copy may fill its background; the later ones lie over it.
    bool opaque;
    friend bool operator==(const CaptionPass&, const CaptionPass&) = default;
};

// The copies for a font style, in drawing order.
std::vector<CaptionPass> captionPasses(FontStyle style, bool transparent);

// Qt text flags: a word-wrapped block from the top, or one line centred vertically; aligned by
// `alignment`.
int captionFlags(Alignment alignment, bool multiLine);

// The flat caption of a disabled gauge at design time: grey text, unless that grey is the
// face colour.
QRgb disabledCaptionColor(QRgb grayText, QRgb face);

} // namespace qvgauge
