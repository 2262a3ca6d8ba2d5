#pragma once

// The characters on the display, each with its blinking: a blinking character shows during the
// first half of each period counted from its origin and is blank during the second half.

#include <cstdint>
#include <string>
#include <vector>

namespace marquis::unit {

struct Cell {
    char character = ' ';
    int blinkPeriod = 0; // ms of one on or off phase; 0: steady
    std::int64_t blinkOrigin = 0;

    // The character as shown at `now`.
    char shown(std::int64_t now) const;
};

class DisplayBuffer {
public:
    explicit DisplayBuffer(int lines);

    int lines() const { return m_lines; }
    // Writes a cell; positions outside the display are ignored.
    void put(int row, int column, const Cell& cell);
    void eraseFrom(int row, int column);
    void clear();
    // Moves every row up one; the bottom row becomes blank.
    void scrollUp();
    std::vector<std::string> render(std::int64_t now) const;

private:
    int m_lines;
    std::vector<std::vector<Cell>> m_rows;
};

} // namespace marquis::unit
