#pragma once

#include "build/toolrunner.h"
#include "files/preferences.h"

#include <string>
#include <vector>

namespace marquis {

// The argument lists of the outside tools, as they expect them.

// Compiling a script file into output base + ".esc", with errors in output base + ".err"; the
// argument list and the report are `workBase` + ".lst" and ".log".
ToolRun compileRun(const std::string& source, const std::string& outputBase,
    const std::string& workBase, const std::string& toolsFolder);

// Checking "sub.src" of the work folder, with errors in "sub.err" there.
ToolRun syntaxCheckRun(const std::string& workFolder, const std::string& toolsFolder);

// Assembling output base + ".esc" into output base + ".bin"; the argument list and the report
// are `workBase` + ".lst" and ".log".
ToolRun assembleRun(const std::string& outputBase, const std::string& workBase);

// How the editor hands its COM port mapping to the unit link: the link finds COM n's device in
// MARQUIS_COMn before 5300.ports beside it and before /dev/ttyS<n-1>, so each COM port mapped
// in the settings is set as MARQUIS_COMn for the link run, over the user's own variable. A COM
// port left unmapped passes the user's variable (or its absence) on unchanged. Settings first,
// then the environment, then the file, then the default; the link's "@list" contract is
// untouched.
std::vector<std::string> comPortEnvironment(const Preferences& settings);

// A command of the unit link: its letter ("" for none), its leading lines, and the ten
// connection lines from the settings, and the COM port mapping as comPortEnvironment gives
// it; list and status file at `base`.
ToolRun linkRun(const std::string& letter, const std::vector<std::string>& leadingLines,
    const std::string& base, const Preferences& settings);

// A file dialog for unit binaries, starting in `folder`.
FileDialogRequest binaryFileDialog(const std::string& title, const std::string& folder);

// The message shown when a tool could not be started at all.
std::string cannotStartText(const ToolRun& run, const ToolResult& result,
    const std::string& toolsFolder);

}  // namespace marquis
