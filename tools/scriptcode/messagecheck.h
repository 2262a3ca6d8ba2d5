#pragma once

// Checks the instructions of one message, as the compiler makes them and as the assembler reads
// them: operand ranges, the display's rows, the script version, and the structure of scrolls,
// markers and registers. The engine can then rely on what the checked code does.

#include "scriptcode/instruction.h"

#include <array>
#include <functional>
#include <string>

namespace marquis::unit {

class MessageCheck {
public:
    using Report = std::function<void(int line, const std::string& text)>;

    // `rows`: the display's lines (2 or 4); `version`: the script version (1 or 2).
    MessageCheck(int rows, int version, Report report);

    // Checks the next instruction; false (after reporting) when it is wrong.
    bool check(const Instruction& instruction);
    // Reports what is still open at the end of the message.
    void finish();

private:
    bool fail(int line, const std::string& text);
    bool checkOperands(const Instruction& instruction);

    int m_rows;
    int m_version;
    Report m_report;
    int m_scrollLine = 0; // the open SCROLL's line, 0 when none is open
    std::array<bool, 4> m_markers {};
    std::array<bool, RegisterCount> m_loaded {};
};

// The error text for an operand outside its range, or "" when it is inside.
std::string operandError(Op op, int index, int value, int rows);

} // namespace marquis::unit
