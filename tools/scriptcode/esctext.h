#pragma once

// The intermediate text (.esc) between the compiler and the assembler: a readable listing of
// the compiled messages, one instruction a line. The format is documented in
// docs/esc-format.md.

#include "scriptcode/diagnostics.h"
#include "scriptcode/program.h"

#include <string>
#include <string_view>

namespace marquis::unit {

// The .esc text of a program, with CR LF line ends; `sourceName` goes into its first comment.
std::string writeEsc(const Program& program, std::string_view sourceName);

// Reads and checks an .esc text as thoroughly as the compiler checks a source; errors name
// `fileName` and the .esc line.
Program readEsc(std::string_view text, std::string_view fileName, Diagnostics& diagnostics);

// A string operand as the .esc text writes it: quoted, with \" \\ and \xHH for any byte
// outside the printable ASCII range.
std::string escString(std::string_view text);

} // namespace marquis::unit
