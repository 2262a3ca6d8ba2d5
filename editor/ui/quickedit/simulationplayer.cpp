#include "ui/quickedit/simulationplayer.h"

#include <algorithm>
#include <limits>

namespace marquis {
namespace {

// The window never runs a timer faster than this.
constexpr long long FinestIntervalMs = 10;

} // namespace

SimulationPlayer::SimulationPlayer(const CurrentMessage& message)
    : m_message(message)
{
    m_simulation.UpdateSimulation(m_message);
    m_scroll = scheduleFrom(m_simulation.timer1(), 0);
    m_blink = scheduleFrom(m_simulation.timer2(), 0);
}

SimulationPlayer::Schedule SimulationPlayer::scheduleFrom(
    const TimerSetting& setting, long long fromMs)
{
    if (!setting.running)
        return { std::nullopt, setting };
    const long long interval = std::max<long long>(setting.intervalMs, FinestIntervalMs);
    // Past the end of representable time the timer simply never fires again.
    if (fromMs > std::numeric_limits<long long>::max() - interval)
        return { std::nullopt, setting };
    return { fromMs + interval, setting };
}

std::optional<long long> SimulationPlayer::nextTickAt() const
{
    if (m_scroll.dueAt && m_blink.dueAt)
        return std::min(*m_scroll.dueAt, *m_blink.dueAt);
    return m_scroll.dueAt ? m_scroll.dueAt : m_blink.dueAt;
}

std::optional<SimulationPlayer::Tick> SimulationPlayer::fireNext()
{
    if (!m_scroll.dueAt && !m_blink.dueAt)
        return std::nullopt;
    // On a tie the scrolling timer goes first.
    const bool scrollFirst = m_scroll.dueAt && (!m_blink.dueAt || *m_scroll.dueAt <= *m_blink.dueAt);
    const Timer timer = scrollFirst ? Timer::Scroll : Timer::Blink;
    const long long at = scrollFirst ? *m_scroll.dueAt : *m_blink.dueAt;
    m_now = std::max(m_now, at);
    fire(timer);
    return Tick { at, timer };
}

void SimulationPlayer::fire(Timer timer)
{
    Schedule& schedule = timer == Timer::Scroll ? m_scroll : m_blink;
    const long long at = *schedule.dueAt;
    if (timer == Timer::Scroll)
        m_simulation.tickTimer1();
    else
        m_simulation.tickTimer2(m_message);
    const TimerSetting& now = timer == Timer::Scroll ? m_simulation.timer1() : m_simulation.timer2();
    schedule = scheduleFrom(now, at);
}

void SimulationPlayer::advanceTo(long long ms)
{
    if (ms < m_now)
        return;
    for (std::optional<long long> next = nextTickAt(); next && *next <= ms; next = nextTickAt())
        fireNext();
    m_now = ms;
}

DisplayRows SimulationPlayer::rows() const
{
    DisplayRows shown;
    for (int r = 1; r <= Simulation::RowCount; ++r) {
        if (m_simulation.rowVisible(r))
            shown.at(static_cast<std::size_t>(r - 1)) = m_simulation.row(r);
    }
    return shown;
}

std::vector<RowsChange> playChanges(const CurrentMessage& message, long long untilMs)
{
    SimulationPlayer player(message);
    std::vector<RowsChange> changes { { 0, player.rows() } };
    for (std::optional<long long> next = player.nextTickAt(); next && *next <= untilMs;
         next = player.nextTickAt()) {
        // Every tick due at the same time fires before the rows are looked at.
        player.advanceTo(*next);
        DisplayRows rows = player.rows();
        if (rows != changes.back().rows)
            changes.push_back({ *next, std::move(rows) });
    }
    return changes;
}

} // namespace marquis
