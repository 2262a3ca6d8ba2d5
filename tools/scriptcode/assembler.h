#pragma once

// The assembler: turns a checked program into a unit image.

#include "scriptcode/displayunit.h"
#include "scriptcode/program.h"

namespace marquis::unit {

// The memory code of a display type: 0x40 for model 5320, 0x80 for model 5360.
int memoryCodeOf(int displayType);

// Every message of the program gets its directory entry and code; the program must be free
// of errors (as readEsc or compileSource left it without diagnostics).
UnitImage assemble(const Program& program);

} // namespace marquis::unit
