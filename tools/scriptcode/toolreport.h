#pragma once

// What both tools do at the end of a run: the error file (only when there are errors; a stale
// one from an earlier run is removed), the log file, and a summary on the console.

#include "scriptcode/diagnostics.h"

#include <ostream>
#include <string>

namespace marquis::unit {

struct ToolRun {
    std::string tool; // "src2esc" or "esc2bin"
    std::string input; // the file read, as given
    std::string output; // the file written on success
    std::string errorBase; // "" when no error file is wanted
    std::string logBase; // "" when no log is wanted
    std::string summary; // e.g. "13 messages"
};

// Writes the error file and the log; returns the exit code (0 or 1, 2 when a report file
// could not be written).
int finishRun(
    const ToolRun& run, const Diagnostics& diagnostics, bool outputWritten, std::ostream& messages);

} // namespace marquis::unit
