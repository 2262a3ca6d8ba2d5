#pragma once

#include "model/currentmessage.h"

#include <array>
#include <string>
#include <vector>

namespace marquis {

// A periodic timer as the window should run it.
struct TimerSetting {
    bool running = false;
    int intervalMs = 0;

    bool operator==(const TimerSetting&) const = default;
};

// The simulated display of the main window: four rows of 20 characters showing the current
// message the way the unit would, with centring, blinking and the three kinds of moving text.
// It only computes the row texts; the window shows them and runs the two timers, calling
// tickTimer1 (scrolling) and tickTimer2 (blinking) at the intervals given here.
class Simulation {
public:
    static constexpr int RowCount = 4;

    // The display row (1..4) that shows a line: on a two-line unit rows 2 and 3.
    static int rowOfLine(int line, int unitLines);
    // The line a display row shows; 0 for a row the unit does not use.
    static int lineOfRow(int row, int unitLines);

    // UpdateSimulation: rebuilds the rows from the message and arms the timers; every call
    // starts the animation again from the beginning.
    void UpdateSimulation(const CurrentMessage& message);

    // One tick of the scrolling timer: moves the scrolling line on, or plays the blocks.
    void tickTimer1();
    // One tick of the blinking timer: shows the blinking fixed lines in their next phase.
    void tickTimer2(const CurrentMessage& message);

    // Row texts and visibility, indexed 1..4.
    const std::string& row(int r) const { return m_rows.at(static_cast<std::size_t>(r)); }
    bool rowVisible(int r) const { return m_visible.at(static_cast<std::size_t>(r)); }

    const TimerSetting& timer1() const { return m_timer1; }
    const TimerSetting& timer2() const { return m_timer2; }

    // The remaining passes of a counted scroll (0 for endless or nothing scrolling).
    long long passCountdown() const { return m_countdown; }

private:
    enum class Mode { None, Continuous, Blocks, Vertical };

    void clearScroll();
    void startContinuous(const CurrentMessage& message, int line);
    void startBlocks(const CurrentMessage& message, int line);
    void nextBlock();
    void tickContinuous();
    void tickBlocks();
    void tickVertical();
    std::string& rowText(int r) { return m_rows.at(static_cast<std::size_t>(r)); }

    std::array<std::string, RowCount + 1> m_rows {};
    std::array<bool, RowCount + 1> m_visible {};
    TimerSetting m_timer1;
    TimerSetting m_timer2;
    bool m_blinkOn = true; // Timer2's phase: the "on" phase shows the full text

    // Scroll state of the one scrolling line.
    Mode m_mode = Mode::None;
    int m_unitLines = 2;
    int m_scrollRow = 0;
    std::string m_rotating; // continuous: the plain text, rotating
    std::string m_rotatingBlanked; // the same with its blinking characters blanked
    std::string m_window; // the 20 characters shown in the "on" phase
    std::string m_windowBlanked; // and in the "off" phase
    std::vector<std::string> m_blocks; // the blocks' rich texts
    std::size_t m_nextBlock = 0;
    std::string m_block; // the current block's rich text
    bool m_blockCentred = false;
    std::string m_pad;
    // Vertical scroll: each row's text in the "on" and in the "off" phase.
    struct VerticalRow {
        std::string on;
        std::string off;
    };
    std::array<VerticalRow, RowCount + 1> m_verticalRows {};
    int m_cycle = 0; // block cycle: a block stays for four ticks
    bool m_scrollOn = true; // Timer1's phase
    long long m_countdown = 0;
};

} // namespace marquis
