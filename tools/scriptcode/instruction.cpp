#include "scriptcode/instruction.h"

namespace marquis::unit {
namespace {

constexpr OperandInfo u8(const char* name, int low, int high)
{
    return { name, Encoding::U8, low, high, false };
}
constexpr OperandInfo i8(const char* name, int low, int high)
{
    return { name, Encoding::I8, low, high, false };
}
constexpr OperandInfo u16(const char* name, int low, int high)
{
    return { name, Encoding::U16, low, high, false };
}
constexpr OperandInfo reg()
{
    return { "register", Encoding::U8, 0, RegisterCount - 1, true };
}

// Indexed by Op. Row ranges are checked against the display's lines separately.
const std::array<OpInfo, OpCount> Table { {
    { "END", "END SUB", {}, 0, false },
    { "CURSOR", "CURSOR", { u8("row", 1, 4), u8("column", 1, DisplayWidth) }, 2, false },
    { "TEXT", "PRINT", {}, 0, true },
    { "NEWLINE", "PRINT", {}, 0, false },
    { "VAR", "PRINT VAR",
        { u8("variable", 1, VariableCount), i8("width", -DisplayWidth, DisplayWidth) }, 2, false },
    { "LOAD", "LET", { reg(), u8("variable", 1, VariableCount) }, 2, false },
    { "USING", "PRINT USING", { reg(), u8("format", 1, 255), u8("fill", 0, 2) }, 3, false },
    { "BLINK", "BLINK", { u8("rate", 1, 255) }, 1, false },
    { "NOBLINK", "BLINK", {}, 0, false },
    { "ERASE", "ERASE_TO_EOL", { i8("row", -1, 4), i8("column", -1, DisplayWidth) }, 2, false },
    { "CLS", "CLS", {}, 0, false },
    { "RELAY", "RELAY", { u8("relay state", 0, 1) }, 1, false },
    { "FONT", "FONT_SET", { u8("character set", 0, 3) }, 1, false },
    { "SCROLL", "SCROLL", { u8("speed", 1, 255), u8("passes", 0, 255) }, 2, false },
    { "EOT", "EOT", {}, 0, false },
    { "MARK", "DROP_MARKER", { u8("marker", 0, 3) }, 1, false },
    { "REPEAT", "GOTO_MARKER", { u8("marker", 0, 3), u8("passes", 0, 255) }, 2, false },
    { "WAIT", "WAIT", { u16("pause", 0, 65535) }, 1, false },
    { "START", "START_SCRIPT", { u16("message", 0, 1023) }, 1, false },
    { "OUTPUT", "OUTPUT_DEVICE", { u8("output device", 0, 2) }, 1, false },
    { "LOCK", "LOCK_BUFFER", { u8("lock state", 0, 1) }, 1, false },
} };

} // namespace

const OpInfo& opInfo(Op op)
{
    return Table[static_cast<std::size_t>(op)];
}

std::optional<Op> opFromMnemonic(std::string_view mnemonic)
{
    for (int i = 1; i < OpCount; ++i)
        if (mnemonic == Table[static_cast<std::size_t>(i)].mnemonic)
            return static_cast<Op>(i);
    return std::nullopt;
}

} // namespace marquis::unit
