#pragma once

#include <QFont>

namespace marquis::qt {

// The fixed-pitch font of every box that shows a display line, so that placeholders and blocks
// line up as they do on the unit.
QFont lineFont();

} // namespace marquis::qt
