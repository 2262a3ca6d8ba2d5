#include "scriptcode/messagecheck.h"

#include <utility>

namespace marquis::unit {
namespace {

bool allowedInScroll(Op op)
{
    switch (op) {
    case Op::Text:
    case Op::Var:
    case Op::Load:
    case Op::Using:
    case Op::Blink:
    case Op::NoBlink:
    case Op::Font:
    case Op::Eot:
        return true;
    default:
        return false;
    }
}

std::string range(int low, int high)
{
    return std::to_string(low) + ".." + std::to_string(high);
}

} // namespace

std::string operandError(Op op, int index, int value, int rows)
{
    const OperandInfo& operand = opInfo(op).operands[static_cast<std::size_t>(index)];
    const bool isRow = std::string_view(operand.name) == "row";
    const int high = isRow ? rows : operand.high;
    if (op == Op::Erase && value == CurrentPosition)
        return {};
    const int low = op == Op::Erase ? 1 : operand.low;
    if (value >= low && value <= high)
        return {};
    std::string text = std::string(opInfo(op).statement) + ": " + operand.name + " " +
        std::to_string(value) + " is outside " + range(low, high);
    if (op == Op::Erase)
        text += " (or -1 for the cursor's)";
    return text;
}

MessageCheck::MessageCheck(int rows, int version, Report report)
    : m_rows(rows)
    , m_version(version)
    , m_report(std::move(report))
{
}

bool MessageCheck::fail(int line, const std::string& text)
{
    m_report(line, text);
    return false;
}

bool MessageCheck::checkOperands(const Instruction& in)
{
    const OpInfo& info = opInfo(in.op);
    for (int i = 0; i < info.operandCount; ++i) {
        const std::string error =
            operandError(in.op, i, in.args[static_cast<std::size_t>(i)], m_rows);
        if (!error.empty())
            return fail(in.line, error);
    }
    if (in.op == Op::Var && in.args[1] == 0)
        return fail(in.line, "width 0: a variable needs a width of 1 to 20 (negative: zeros)");
    if (in.op == Op::Using) {
        const int width = in.args[1] % 16;
        const int decimals = in.args[1] / 16;
        if (width == 0)
            return fail(in.line, "format " + std::to_string(in.args[1]) + " has a width of 0");
        if (decimals >= width)
            return fail(in.line,
                "format " + std::to_string(in.args[1]) + ": " + std::to_string(decimals) +
                    " decimals do not fit a width of " + std::to_string(width));
        if (in.args[2] != UsingBlankFill && in.args[2] != UsingZeroFill)
            return fail(in.line,
                "fill " + std::to_string(in.args[2]) + " is neither 0 (blanks) nor 2 (zeros)");
    }
    if (in.op == Op::Text && in.text.size() > 65535)
        return fail(in.line, "text longer than 65535 characters");
    if (in.op == Op::Output && in.args[0] == OutputHost && m_version < 2)
        return fail(in.line, "output to a slave unit needs script version 2");
    return true;
}

bool MessageCheck::check(const Instruction& in)
{
    if (!checkOperands(in))
        return false;
    if (m_scrollLine != 0 && !allowedInScroll(in.op))
        return fail(in.line,
            std::string(opInfo(in.op).statement) + " is not allowed between SCROLL and EOT");
    switch (in.op) {
    case Op::Scroll:
        if (m_scrollLine != 0)
            return fail(in.line, "SCROLL inside SCROLL ... EOT");
        m_scrollLine = in.line;
        break;
    case Op::Eot:
        if (m_scrollLine == 0)
            return fail(in.line, "EOT without a SCROLL before it");
        m_scrollLine = 0;
        break;
    case Op::Mark:
        // Dropping a marker again moves it: each block-played line of a message starts its own
        // section at marker 0.
        m_markers[static_cast<std::size_t>(in.args[0])] = true;
        break;
    case Op::Repeat:
        if (!m_markers[static_cast<std::size_t>(in.args[0])])
            return fail(
                in.line, "going to marker " + std::to_string(in.args[0]) + " before it is dropped");
        break;
    case Op::Load:
        m_loaded[static_cast<std::size_t>(in.args[0])] = true;
        break;
    case Op::Using:
        if (!m_loaded[static_cast<std::size_t>(in.args[0])])
            return fail(in.line,
                std::string("PRINT USING of ") + static_cast<char>('A' + in.args[0]) +
                    ", which is given no variable before (LET " +
                    static_cast<char>('A' + in.args[0]) + "=VAR(v))");
        break;
    default:
        break;
    }
    return true;
}

void MessageCheck::finish()
{
    if (m_scrollLine != 0)
        m_report(m_scrollLine, "SCROLL without EOT before the end of the message");
}

} // namespace marquis::unit
