#include "ui/quickedit/simulation.h"

#include "model/numberformat.h"
#include "model/richtext.h"
#include "ui/quickedit/linelayout.h"

#include <algorithm>

namespace marquis {
namespace {

constexpr int TicksPerBlock = 4;
// Counted passes never need more than this; it keeps the countdown well inside its range
// however large a hand-written count is.
constexpr long long CountdownLimit = 1'000'000'000;

// The number after the first comma of an attribute ("25,3" gives 3).
long long secondField(std::string_view attribute)
{
    const std::size_t comma = attribute.find(',');
    return comma == std::string_view::npos ? 0 : numberValue(attribute.substr(comma + 1));
}

// A window timer with a zero interval never fires.
TimerSetting runningEvery(long long intervalMs)
{
    const long long clamped = std::min<long long>(intervalMs, 1'000'000'000);
    return { clamped > 0, clamped > 0 ? static_cast<int>(clamped) : 0 };
}

std::string withoutTrailingLineBreaks(std::string text)
{
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    return text;
}

} // namespace

int Simulation::rowOfLine(int line, int unitLines)
{
    return unitLines == 2 ? line + 1 : line;
}

int Simulation::lineOfRow(int row, int unitLines)
{
    const int line = unitLines == 2 ? row - 1 : row;
    return line >= 1 && line <= std::min(unitLines, MaxUnitLines) ? line : 0;
}

void Simulation::clearScroll()
{
    m_mode = Mode::None;
    m_scrollRow = 0;
    m_rotating.clear();
    m_rotatingBlanked.clear();
    m_window.clear();
    m_windowBlanked.clear();
    m_blocks.clear();
    m_nextBlock = 0;
    m_block.clear();
    m_blockCentred = false;
    m_pad.clear();
    m_verticalRows.fill({});
    m_cycle = 0;
    m_scrollOn = true;
    m_countdown = 0;
}

void Simulation::UpdateSimulation(const CurrentMessage& message)
{
    m_unitLines = message.UnitLines == 2 ? 2 : MaxUnitLines;
    for (int r = 1; r <= RowCount; ++r) {
        rowText(r).clear();
        m_visible.at(static_cast<std::size_t>(r)) = r == 2 || r == 3 || m_unitLines == 4;
    }
    m_blinkOn = true;
    clearScroll();
    if (message.ScriptEditOnly) {
        m_timer1 = {};
        m_timer2 = {};
        return;
    }

    bool scrolling = false;
    bool blinking = false;
    for (int i = 1; i <= m_unitLines; ++i) {
        const EditLine& line = message.line(i);
        const LineKind kind = lineKind(line);
        if (line.LineBlink.empty() && kind == LineKind::Fixed) {
            const std::string text = GetText(line.LineText);
            rowText(rowOfLine(i, m_unitLines)) =
                (isCentred(line.LineText) ? centringPad(text.size()) : "") + text;
        }
        if (kind == LineKind::Continuous) {
            startContinuous(message, i);
            scrolling = true;
        } else if (kind == LineKind::BlockByBlock) {
            startBlocks(message, i);
            scrolling = true;
        }
        if (!line.LineBlink.empty() && kind == LineKind::Fixed) {
            m_timer2 = runningEvery(numberValue(line.LineBlink) * 10);
            blinking = true;
        }
    }
    if (!scrolling) {
        clearScroll();
        m_timer1 = {};
    }
    if (!blinking)
        m_timer2 = {};
}

void Simulation::startContinuous(const CurrentMessage& message, int line)
{
    const EditLine& l = message.line(line);
    m_mode = Mode::Continuous;
    m_scrollRow = rowOfLine(line, m_unitLines);
    m_rotating = GetText(l.LineText);
    m_rotatingBlanked = blankBlinking(l.LineText);
    m_window = std::string(DisplayWidth, ' ');
    m_windowBlanked = m_window;
    const long long count = std::min(secondField(l.LineScroll), CountdownLimit);
    m_countdown = count > 0
        ? std::min(static_cast<long long>(m_rotating.size()) * count + 1, CountdownLimit)
        : count;
    m_timer1 = runningEvery(numberValue(l.LineScroll) * 10);
}

void Simulation::startBlocks(const CurrentMessage& message, int line)
{
    const EditLine& l = message.line(line);
    m_mode = message.VerticalScrollOn ? Mode::Vertical : Mode::Blocks;
    m_scrollRow = rowOfLine(line, m_unitLines);
    m_blocks = splitBlocks(l.LineText);
    m_nextBlock = 0;
    const long long count = std::min(secondField(l.LineBlock), CountdownLimit);
    const auto blocks = static_cast<long long>(plainRows(l.LineText).size());
    m_countdown = count > 0 ? std::min(count * TicksPerBlock * blocks, CountdownLimit) : 0;
    if (m_mode == Mode::Vertical) {
        // The rows already shown scroll up with the blocks.
        for (int r = 1; r <= RowCount; ++r)
            m_verticalRows.at(static_cast<std::size_t>(r)) = { rowText(r), rowText(r) };
    }
    // The first tick takes the first block at once, so every block of a counted play is
    // shown for its four ticks and the last one stays standing.
    m_cycle = TicksPerBlock - 1;
    m_timer1 = runningEvery(numberValue(message.BlockWait) * 25);
}

void Simulation::nextBlock()
{
    if (m_blocks.empty())
        return;
    m_block = m_blocks[m_nextBlock];
    m_nextBlock = (m_nextBlock + 1) % m_blocks.size();
    m_blockCentred = blockCentring(m_block, m_blockCentred);
    m_pad = m_blockCentred ? centringPad(GetText(m_block).size()) : "";
}

void Simulation::tickTimer1()
{
    if (m_mode == Mode::None || !m_timer1.running)
        return;
    if (m_countdown >= 2) {
        --m_countdown;
    } else if (m_countdown == 1) {
        m_timer1.running = false;
        return;
    }
    switch (m_mode) {
    case Mode::Continuous:
        tickContinuous();
        break;
    case Mode::Blocks:
        tickBlocks();
        break;
    case Mode::Vertical:
        tickVertical();
        break;
    case Mode::None:
        break;
    }
    m_scrollOn = !m_scrollOn;
    m_cycle = (m_cycle + 1) % TicksPerBlock;
}

void Simulation::tickContinuous()
{
    const char next = m_rotating.empty() ? ' ' : m_rotating.front();
    const char nextBlanked = m_rotatingBlanked.empty() ? ' ' : m_rotatingBlanked.front();
    m_window = m_window.substr(1) + next;
    m_windowBlanked = m_windowBlanked.substr(1) + nextBlanked;
    if (!m_rotating.empty())
        std::rotate(m_rotating.begin(), m_rotating.begin() + 1, m_rotating.end());
    if (!m_rotatingBlanked.empty())
        std::rotate(
            m_rotatingBlanked.begin(), m_rotatingBlanked.begin() + 1, m_rotatingBlanked.end());
    rowText(m_scrollRow) = m_scrollOn ? m_window : m_windowBlanked;
}

void Simulation::tickBlocks()
{
    if (m_cycle == TicksPerBlock - 1)
        nextBlock();
    rowText(m_scrollRow) = m_pad + (m_scrollOn ? GetText(m_block) : blankBlinking(m_block));
}

void Simulation::tickVertical()
{
    const int top = rowOfLine(1, m_unitLines);
    const int bottom = rowOfLine(m_unitLines, m_unitLines);
    if (m_cycle == TicksPerBlock - 1 && !m_blocks.empty()) {
        for (int r = top; r < bottom; ++r)
            m_verticalRows.at(static_cast<std::size_t>(r)) =
                m_verticalRows.at(static_cast<std::size_t>(r + 1));
        nextBlock();
        m_verticalRows.at(static_cast<std::size_t>(bottom)) = {
            m_pad + withoutTrailingLineBreaks(GetText(m_block)),
            m_pad + withoutTrailingLineBreaks(blankBlinking(m_block)),
        };
    }
    for (int r = top; r <= bottom; ++r) {
        const VerticalRow& shown = m_verticalRows.at(static_cast<std::size_t>(r));
        rowText(r) = m_scrollOn ? shown.on : shown.off;
    }
}

void Simulation::tickTimer2(const CurrentMessage& message)
{
    if (!m_timer2.running)
        return;
    for (int i = 1; i <= m_unitLines; ++i) {
        const EditLine& line = message.line(i);
        if (line.LineBlink.empty() || lineKind(line) != LineKind::Fixed)
            continue;
        const std::string plain = GetText(line.LineText);
        const std::string pad = isCentred(line.LineText) ? centringPad(plain.size()) : "";
        rowText(rowOfLine(i, m_unitLines)) =
            pad + (m_blinkOn ? plain : blankBlinking(line.LineText));
    }
    m_blinkOn = !m_blinkOn;
}

} // namespace marquis
