#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <random>
#include <span>
#include <vector>

namespace marquis::unit {

// The unit's side of a serial line at a given rate: bytes are taken in and sent out no faster
// than ten bits each, and on request some bytes are lost or changed on the way, in both
// directions, by a seeded random generator so that a run can be repeated.
class PacedLine {
public:
    using Clock = std::chrono::steady_clock;

    PacedLine(int baud, double dropRate, double corruptRate, unsigned seed);

    // How many received bytes may be taken now.
    std::size_t receivable(Clock::time_point now);
    // Takes bytes that were read; gives what survives the faults of the line.
    std::vector<std::uint8_t> took(std::span<const std::uint8_t> bytes, Clock::time_point now);

    // Queues bytes to send (the line's faults apply to them).
    void send(std::span<const std::uint8_t> bytes);
    bool sending() const { return !m_outgoing.empty(); }
    // The bytes due on the line by now; `sent` tells how many of them got out.
    std::vector<std::uint8_t> due(Clock::time_point now) const;
    void sent(std::size_t count, Clock::time_point now);

    Clock::duration byteTime() const { return m_byteTime; }

private:
    bool chance(double rate);
    std::vector<std::uint8_t> damage(std::span<const std::uint8_t> bytes);

    Clock::duration m_byteTime;
    Clock::duration m_fifo; // how far an idle line lets the next bytes come at once
    double m_dropRate;
    double m_corruptRate;
    std::mt19937 m_random;
    Clock::time_point m_receiveClock;
    Clock::time_point m_sendClock;
    std::deque<std::uint8_t> m_outgoing;
};

} // namespace marquis::unit
