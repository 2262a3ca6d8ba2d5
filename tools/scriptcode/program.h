#pragma once

// A compiled script: what the compiler makes of a source, what the .esc text holds, and what
// the assembler turns into a unit image.

#include "scriptcode/instruction.h"

#include <vector>

namespace marquis::unit {

struct CompiledMessage {
    int number = 0; // 0..1023
    int task = 0; // 0..3
    int line = 0; // where the message starts
    std::vector<Instruction> code;
};

struct Program {
    int displayType = 5360; // 5320 (2 lines) or 5360 (4 lines)
    int version = 2; // script version 1 or 2
    std::vector<CompiledMessage> messages; // in source order
};

inline int displayRows(int displayType)
{
    return displayType == 5320 ? 2 : 4;
}

} // namespace marquis::unit
