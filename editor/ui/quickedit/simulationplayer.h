#pragma once

#include "model/currentmessage.h"
#include "ui/quickedit/simulation.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace marquis {

// A row as shown: its Windows-1252 text, or nullopt for a row the unit does not show.
using DisplayRows = std::array<std::optional<std::string>, Simulation::RowCount>; // rows 1..4 at [0..3]

// Plays a message's simulation in simulated time: UpdateSimulation once at time 0, then the
// two timers as the window runs them, without a clock or an event loop.
//
// Timing, chosen to match the window:
// - A running timer first fires one interval after time 0, then every interval after its last
//   tick. Intervals under 10 ms are run as 10 ms, as the window does.
// - When both timers are due at the same millisecond, the scrolling timer (Timer1) fires before
//   the blinking timer (Timer2): the window starts them in that order, and of two timers due
//   together the one started first fires first. The order only shows where both write the same
//   row (a vertical scroll over a blinking line): the blinking timer then has the last word.
// - After each tick the player reads that timer's setting from the simulation again. A timer
//   the tick stopped fires no more; a changed interval restarts the timer from the tick's time
//   (the window restarts a QTimer given a new interval), so its next tick is due one new
//   interval after the tick that changed it.
class SimulationPlayer {
public:
    enum class Timer { Scroll, Blink };
    struct Tick {
        long long atMs;
        Timer timer;
    };

    // The message is copied: the player does not depend on the caller's record staying alive.
    explicit SimulationPlayer(const CurrentMessage& message);

    // Fires every timer tick due at or before `ms` (a tick due exactly at ms fires), in time
    // order, and moves the clock to ms. A time before now() changes nothing.
    void advanceTo(long long ms);
    // Fires the one next tick, whenever it is due, and moves the clock to it; nullopt (and
    // nothing changes) when neither timer runs. Lets a caller replay the ticks one by one.
    std::optional<Tick> fireNext();
    long long now() const { return m_now; }
    // When the next tick is due; nullopt when neither timer runs (the rows will never change).
    std::optional<long long> nextTickAt() const;
    DisplayRows rows() const;

private:
    struct Schedule {
        std::optional<long long> dueAt;
        TimerSetting setting;
    };
    static Schedule scheduleFrom(const TimerSetting& setting, long long fromMs);
    void fire(Timer timer);

    CurrentMessage m_message;
    Simulation m_simulation;
    Schedule m_scroll;
    Schedule m_blink;
    long long m_now = 0;
};

// The rows as they change over [0, untilMs]: one entry per distinct state, with its start time.
// The first entry is the state at time 0; ticks that leave the rows as they were add nothing.
struct RowsChange {
    long long atMs;
    DisplayRows rows;
};
std::vector<RowsChange> playChanges(const CurrentMessage& message, long long untilMs);

} // namespace marquis
