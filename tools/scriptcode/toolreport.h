#pragma once

// What both tools do at the end of a run: the error file (only when there are errors; a stale
// one from an earlier run is removed), the log file, and a summary on the console.

#include "scriptcode/diagnostics.h"

#include <functional>
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

// Writes the tool's output when no error was found so far; on any error (including a failed
// write) the output file is removed, so an old one cannot pass for the result of this run.
// `bytes` makes the output. True when it was written.
bool writeToolOutput(const ToolRun& run, Diagnostics& diagnostics, const std::string& sourceName,
    const std::function<std::string()>& bytes);

// "1 message", "13 messages".
std::string messageCount(std::size_t count);

// Writes the error file and the log; returns the exit code (0 or 1, 2 when a report file
// could not be written).
int finishRun(
    const ToolRun& run, const Diagnostics& diagnostics, bool outputWritten, std::ostream& messages);

} // namespace marquis::unit
