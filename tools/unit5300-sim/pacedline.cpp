#include "pacedline.h"

#include <algorithm>

namespace marquis::unit {
namespace {

constexpr std::size_t FifoBytes = 64;

} // namespace

PacedLine::PacedLine(int baud, double dropRate, double corruptRate, unsigned seed)
    : m_byteTime(std::chrono::nanoseconds(10'000'000'000LL / std::max(1, baud)))
    , m_fifo(m_byteTime * FifoBytes)
    , m_dropRate(dropRate)
    , m_corruptRate(corruptRate)
    , m_random(seed)
    , m_receiveClock(Clock::now())
    , m_sendClock(Clock::now())
{
}

bool PacedLine::chance(double rate)
{
    return rate > 0 && std::uniform_real_distribution<double>(0, 1)(m_random) < rate;
}

std::vector<std::uint8_t> PacedLine::damage(std::span<const std::uint8_t> bytes)
{
    std::vector<std::uint8_t> result;
    result.reserve(bytes.size());
    for (std::uint8_t byte : bytes) {
        if (chance(m_dropRate))
            continue;
        if (chance(m_corruptRate))
            byte = static_cast<std::uint8_t>(
                byte ^ std::uniform_int_distribution<int>(1, 255)(m_random));
        result.push_back(byte);
    }
    return result;
}

std::size_t PacedLine::receivable(Clock::time_point now)
{
    m_receiveClock = std::max(m_receiveClock, now - m_fifo);
    if (now <= m_receiveClock)
        return 0;
    return static_cast<std::size_t>((now - m_receiveClock) / m_byteTime);
}

std::vector<std::uint8_t> PacedLine::took(
    std::span<const std::uint8_t> bytes, Clock::time_point now)
{
    m_receiveClock =
        std::max(m_receiveClock, now - m_fifo) + m_byteTime * static_cast<long>(bytes.size());
    return damage(bytes);
}

void PacedLine::send(std::span<const std::uint8_t> bytes)
{
    const auto damaged = damage(bytes);
    m_outgoing.insert(m_outgoing.end(), damaged.begin(), damaged.end());
}

std::vector<std::uint8_t> PacedLine::due(Clock::time_point now) const
{
    const auto from = std::max(m_sendClock, now - m_fifo);
    if (now <= from || m_outgoing.empty())
        return {};
    const auto count = std::min<std::size_t>(
        m_outgoing.size(), static_cast<std::size_t>((now - from) / m_byteTime));
    return { m_outgoing.begin(), m_outgoing.begin() + static_cast<std::ptrdiff_t>(count) };
}

void PacedLine::sent(std::size_t count, Clock::time_point now)
{
    count = std::min(count, m_outgoing.size());
    m_sendClock = std::max(m_sendClock, now - m_fifo) + m_byteTime * static_cast<long>(count);
    m_outgoing.erase(m_outgoing.begin(), m_outgoing.begin() + static_cast<std::ptrdiff_t>(count));
}

} // namespace marquis::unit
