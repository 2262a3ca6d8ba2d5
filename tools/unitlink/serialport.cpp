#include "serialport.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
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

PortTrouble portTroubleOf(int error)
{
    switch (error) {
    case 0:
        return PortTrouble::None;
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return PortTrouble::Missing;
    case EACCES:
    case EPERM:
        return PortTrouble::Denied;
    case EBUSY:
    case EWOULDBLOCK:
        return PortTrouble::Busy;
    default:
        return PortTrouble::Other;
    }
}

std::string portTroubleText(
    int number, const std::string& path, PortTrouble trouble, const std::string& error)
{
    const std::string port = "COM " + std::to_string(number);
    switch (trouble) {
    case PortTrouble::Missing:
        return port + " is mapped to " + path + ", which is not there: is the adapter plugged in?";
    case PortTrouble::Denied:
        return port + " is mapped to " + path + ", which you may not open: add your user to " +
            "the group that owns it, e.g. dialout, and log in again.";
    case PortTrouble::Busy:
        return port + " is mapped to " + path + ", which another program is using: close " +
            "that program (a terminal or another link to the unit) and try again.";
    case PortTrouble::None:
    case PortTrouble::Other:
        break;
    }
    return "Cannot open " + port + " (" + path + "): " + error + ".";
}

std::unique_ptr<FdChannel> openSerialPort(
    const std::string& path, int baud, std::string& error, PortTrouble* trouble)
{
    const auto fail = [&](PortTrouble kind, std::string text) {
        error = std::move(text);
        if (trouble != nullptr)
            *trouble = kind;
        return nullptr;
    };
    if (trouble != nullptr)
        *trouble = PortTrouble::None;
    if (!isSupportedBaud(baud))
        return fail(PortTrouble::Other,
            "the baud rate " + std::to_string(baud) + " is not supported");
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int openError = errno;
        return fail(portTroubleOf(openError), std::strerror(openError));
    }
    auto channel = std::make_unique<FdChannel>(fd);
    // The lock goes with the descriptor: it is released when the channel closes it, or when
    // the program ends in any way.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int lockError = errno;
        return fail(portTroubleOf(lockError), std::strerror(lockError));
    }
    termios settings {};
    if (::tcgetattr(fd, &settings) != 0)
        return fail(PortTrouble::Other, "it is not a serial port");
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
    if (::tcsetattr(fd, TCSANOW, &settings) != 0)
        return fail(PortTrouble::Other,
            std::string("cannot set the line parameters (") + std::strerror(errno) + ")");
    ::tcflush(fd, TCIOFLUSH);
    return channel;
}

} // namespace marquis::unit
