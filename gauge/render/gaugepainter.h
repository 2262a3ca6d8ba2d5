#pragma once

#include "render/systemcolors.h"

#include <QImage>

namespace qvgauge {

struct GaugeLook;

// What a paint takes from its surroundings rather than from the gauge's properties.
struct PaintEnvironment {
    SystemColors colors = SystemColors::classic();
    // Device resolution in dots per inch; point-sized caption fonts scale by it.
    int dpi = 96;
};

// Paints the whole gauge into a new 32-bit image of the look's size, at a device pixel ratio
// of 1, ready to be copied to the screen in one transfer. A look without width or height gives
// a null image: there is nothing to paint.
QImage paintGauge(const GaugeLook& look, const PaintEnvironment& environment);

} // namespace qvgauge
