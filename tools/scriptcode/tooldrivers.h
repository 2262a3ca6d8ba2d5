#pragma once

// The compiler and assembler tools as the editor runs them (see docs/script-language.md):
// arguments in, files out. Returned exit codes: 0 done, 1 errors found (the error file says
// which), 2 the tool could not do its work at all (bad call, unreadable or unwritable files).

#include <ostream>
#include <string>
#include <vector>

namespace marquis::unit {

// src2esc: SOURCE [OUTPUTBASE] /error ERRORBASE /include FOLDER /log LOGBASE.
int runCompilerTool(const std::vector<std::string>& arguments, std::ostream& messages);

// esc2bin: INPUTBASE OUTPUTBASE /error ERRORBASE /log LOGBASE.
int runAssemblerTool(const std::vector<std::string>& arguments, std::ostream& messages);

} // namespace marquis::unit
