#pragma once

// The instruction set shared by the compiler, the intermediate (.esc) text, the assembler and
// the message engine. Each statement of the language becomes one instruction.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace marquis::unit {

enum class Op : std::uint8_t {
    End = 0, // end of a message's code (bytecode only)
    Cursor, // row, column
    Text, // text
    NewLine, // bare PRINT: the display scrolls up one row
    Var, // variable, width (negative: zero-filled)
    Load, // register, variable
    Using, // register, format (16 * decimals + width), fill (0 blanks, 2 zeros)
    Blink, // rate
    NoBlink, //
    Erase, // row, column (-1: the cursor's)
    Cls, //
    Relay, // state
    Font, // character set
    Scroll, // speed, passes
    Eot, //
    Mark, // marker
    Repeat, // marker, passes
    Wait, // pause
    Start, // message
    Output, // device
    Lock, // state
};

inline constexpr int OpCount = static_cast<int>(Op::Lock) + 1;

// How an operand is written: as a number or as a register letter; and how it is stored in the
// message code.
enum class Encoding { None, U8, I8, U16 };

struct OperandInfo {
    const char* name = nullptr; // as error messages name it
    Encoding encoding = Encoding::None;
    int low = 0;
    int high = 0;
    bool reg = false; // a register A..Z, written as its letter in the .esc text
};

struct OpInfo {
    const char* mnemonic; // in the .esc text
    const char* statement; // the statement it comes from, as error messages name it
    std::array<OperandInfo, 3> operands;
    int operandCount;
    bool text; // carries a text operand
};

const OpInfo& opInfo(Op op);
std::optional<Op> opFromMnemonic(std::string_view mnemonic);

struct Instruction {
    Op op = Op::End;
    std::array<int, 3> args {};
    std::string text;
    int line = 0; // where it came from (source or .esc line), for error messages
};

// Fixed values the statements use.
inline constexpr int DisplayWidth = 20;
inline constexpr int RegisterCount = 26;
inline constexpr int VariableCount = 16;
inline constexpr int CurrentPosition = -1;
inline constexpr int OutputDisplay = 0;
inline constexpr int OutputSerial = 1;
inline constexpr int OutputHost = 2;
inline constexpr int UsingBlankFill = 0;
inline constexpr int UsingZeroFill = 2;

} // namespace marquis::unit
