#include "scriptcode/displaybuffer.h"

#include "scriptcode/instruction.h"

#include <algorithm>

namespace marquis::unit {

char Cell::shown(std::int64_t now) const
{
    if (blinkPeriod <= 0 || now < blinkOrigin)
        return character;
    return ((now - blinkOrigin) / blinkPeriod) % 2 == 0 ? character : ' ';
}

DisplayBuffer::DisplayBuffer(int lines)
    : m_lines(lines)
    , m_rows(static_cast<std::size_t>(lines), std::vector<Cell>(DisplayWidth))
{
}

void DisplayBuffer::put(int row, int column, const Cell& cell)
{
    if (row < 0 || row >= m_lines || column < 0 || column >= DisplayWidth)
        return;
    m_rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = cell;
}

void DisplayBuffer::eraseFrom(int row, int column)
{
    for (int c = std::max(column, 0); c < DisplayWidth; ++c)
        put(row, c, Cell {});
}

void DisplayBuffer::clear()
{
    for (std::vector<Cell>& row : m_rows)
        row.assign(DisplayWidth, Cell {});
}

void DisplayBuffer::scrollUp()
{
    m_rows.erase(m_rows.begin());
    m_rows.emplace_back(DisplayWidth);
}

std::vector<std::string> DisplayBuffer::render(std::int64_t now) const
{
    std::vector<std::string> rows;
    rows.reserve(m_rows.size());
    for (const std::vector<Cell>& row : m_rows) {
        std::string text(DisplayWidth, ' ');
        for (std::size_t c = 0; c < row.size(); ++c)
            text[c] = row[c].shown(now);
        rows.push_back(std::move(text));
    }
    return rows;
}

} // namespace marquis::unit
