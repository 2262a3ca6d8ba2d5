#pragma once

#include "model/crccomponent.h"

namespace marquis::cli {

// Makes sure the check-value component can be used. Without it every check value would be 0,
// so a script would be written with a wrong value or a hand-edited text would pass as
// unchanged; a CommandError naming the module stops the command instead.
void requireComponent(CrcComponent& component);

} // namespace marquis::cli
