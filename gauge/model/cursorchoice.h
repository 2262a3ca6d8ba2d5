#pragma once

#include "model/gaugetypes.h"

#include <Qt>

namespace qvgauge {

enum class CursorSource {
    Host, // leave the cursor to the host (the widget sets none of its own)
    Shape, // the standard shape below
    Icon, // the MouseIcon picture
};

struct CursorChoice {
    CursorSource source = CursorSource::Host;
    Qt::CursorShape shape = Qt::ArrowCursor;

    friend bool operator==(const CursorChoice&, const CursorChoice&) = default;
};

// The cursor over the gauge. Only at run time does the gauge choose its own: a standard shape
// for MousePointer 1 to 15, the MouseIcon picture for Custom. Default, design time, Custom
// without an icon and a loaded value outside the set leave the cursor to the host.
CursorChoice cursorFor(MousePointer pointer, bool userMode, bool hasMouseIcon);

} // namespace qvgauge
