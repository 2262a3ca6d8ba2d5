#pragma once

#include "listfile.h"
#include "report.h"

namespace marquis::unit {

// Carries out a checked command on the unit, saying in `report` what happened; true when it
// worked.
bool runUnitCommand(const Invocation& invocation, Report& report);

} // namespace marquis::unit
