#include "serialport.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace marquis::unit {
namespace {

speed_t speedOf(int baud)
{
    switch (baud) {
    case 300:
        return B300;
    case 600:
        return B600;
    case 1200:
        return B1200;
    case 2400:
        return B2400;
    case 4800:
        return B4800;
    case 9600:
        return B9600;
    case 19200:
        return B19200;
    case 38400:
        return B38400;
    default:
        return B0;
    }
}

} // namespace

bool isSupportedBaud(int baud)
{
    return speedOf(baud) != B0;
}

std::unique_ptr<FdChannel> openSerialPort(const std::string& path, int baud, std::string& error)
{
    if (!isSupportedBaud(baud)) {
        error = "the baud rate " + std::to_string(baud) + " is not supported";
        return nullptr;
    }
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return nullptr;
    }
    auto channel = std::make_unique<FdChannel>(fd);
    termios settings {};
    if (::tcgetattr(fd, &settings) != 0) {
        error = "it is not a serial port";
        return nullptr;
    }
    ::cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_cflag &= ~static_cast<tcflag_t>(CSTOPB | PARENB | CRTSCTS);
    settings.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    // With VMIN 0 a read finding nothing gives 0, which would look like a closed line; with
    // VMIN 1 and the descriptor non-blocking it says "try again" instead.
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    ::cfsetispeed(&settings, speedOf(baud));
    ::cfsetospeed(&settings, speedOf(baud));
    if (::tcsetattr(fd, TCSANOW, &settings) != 0) {
        error = std::string("cannot set the line parameters (") + std::strerror(errno) + ")";
        return nullptr;
    }
    ::tcflush(fd, TCIOFLUSH);
    return channel;
}

} // namespace marquis::unit
