#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace marquis::unit {

using Clock = std::chrono::steady_clock;

// A byte stream to a unit (a serial port, a pseudo-terminal, a socket in tests). Every call
// gives up at its deadline, so a dead line never blocks the caller.
class Channel {
public:
    virtual ~Channel() = default;
    // Sends all bytes; false with the reason in `error` on failure or at the deadline.
    virtual bool write(
        std::span<const std::uint8_t> bytes, Clock::time_point deadline, std::string& error) = 0;
    // Reads what has arrived, waiting at most until the deadline: the number of bytes (0 when
    // nothing came), or -1 with the reason in `error` when the line failed.
    virtual long read(
        std::span<std::uint8_t> buffer, Clock::time_point deadline, std::string& error) = 0;
};

// A channel on a file descriptor, owned and closed by it.
class FdChannel : public Channel {
public:
    explicit FdChannel(int fd);
    ~FdChannel() override;
    FdChannel(const FdChannel&) = delete;
    FdChannel& operator=(const FdChannel&) = delete;

    bool write(std::span<const std::uint8_t> bytes, Clock::time_point deadline,
        std::string& error) override;
    long read(
        std::span<std::uint8_t> buffer, Clock::time_point deadline, std::string& error) override;
    int fd() const { return m_fd; }

private:
    int m_fd;
};

} // namespace marquis::unit
