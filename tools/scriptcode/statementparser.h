#pragma once

// Turns one statement of a SUB block (CALL, PRINT, LET, CLS, EOT) into its instruction.
// Operand ranges are checked afterwards, by MessageCheck.

#include "scriptcode/defines.h"
#include "scriptcode/instruction.h"
#include "scriptcode/lexer.h"

#include <vector>

namespace marquis::unit {

// Throws SyntaxError for a statement that cannot be read.
Instruction parseStatement(const std::vector<Token>& tokens, const Defines& defines);

} // namespace marquis::unit
