#pragma once

#include "model/crccomponent.h"

#include <string>

namespace marquis::cli {

// The folder of the tools, the check-value module and ESCAPES.H, with a trailing separator:
// beside this program in a build folder, the installed tools folder in an installed copy.
std::string toolsFolder();

// Makes sure the check-value component can be used. Without it every check value would be 0,
// so a script would be written with a wrong value or a hand-edited text would pass as
// unchanged; a CommandError naming the module stops the command instead.
void requireComponent(CrcComponent& component);

} // namespace marquis::cli
