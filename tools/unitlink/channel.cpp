#include "channel.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace marquis::unit {
namespace {

int millisecondsUntil(Clock::time_point deadline)
{
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    // Round up so that a deadline a fraction of a millisecond away is still waited for.
    return static_cast<int>(std::clamp<long long>(left.count() + 1, 0, 60'000));
}

} // namespace

FdChannel::FdChannel(int fd)
    : m_fd(fd)
{
    const int flags = ::fcntl(m_fd, F_GETFL);
    if (flags >= 0)
        ::fcntl(m_fd, F_SETFL, flags | O_NONBLOCK);
}

FdChannel::~FdChannel()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool FdChannel::write(
    std::span<const std::uint8_t> bytes, Clock::time_point deadline, std::string& error)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(m_fd, bytes.data(), bytes.size());
        if (written > 0) {
            bytes = bytes.subspan(static_cast<std::size_t>(written));
            continue;
        }
        if (written < 0 && errno != EAGAIN && errno != EINTR) {
            error = std::string("the line failed while sending (") + std::strerror(errno) + ")";
            return false;
        }
        if (Clock::now() >= deadline) {
            error = "the line does not take data (sending timed out)";
            return false;
        }
        pollfd waitFor { m_fd, POLLOUT, 0 };
        ::poll(&waitFor, 1, millisecondsUntil(deadline));
    }
    return true;
}

long FdChannel::read(std::span<std::uint8_t> buffer, Clock::time_point deadline, std::string& error)
{
    for (;;) {
        const ssize_t count = ::read(m_fd, buffer.data(), buffer.size());
        if (count > 0)
            return static_cast<long>(count);
        if (count == 0 || (errno != EAGAIN && errno != EINTR)) {
            error = count == 0 ? std::string("the line was closed")
                               : std::string("the line failed (") + std::strerror(errno) + ")";
            return -1;
        }
        if (Clock::now() >= deadline)
            return 0;
        pollfd waitFor { m_fd, POLLIN, 0 };
        const int ready = ::poll(&waitFor, 1, millisecondsUntil(deadline));
        if (ready == 0)
            return 0;
    }
}

} // namespace marquis::unit
