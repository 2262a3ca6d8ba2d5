#pragma once

#include "channel.h"

#include <memory>
#include <string>

namespace marquis::unit {

// The line rates a unit supports.
bool isSupportedBaud(int baud);

// Why a serial device could not be opened, as far as it matters to the user.
enum class PortTrouble {
    None,
    Missing, // no such device: an unplugged adapter, a mistyped name
    Denied, // the user may not open it: not in the group that owns it
    Busy, // another program holds it
    Other,
};

// Opens a serial device (or the slave side of a pseudo-terminal) raw, 8 data bits, no parity,
// one stop bit, no flow control, at `baud`; what was waiting in its buffers is discarded.
// No value, with the reason in `error` (and its kind in `trouble`, when given), when it cannot
// be opened or is not a serial device. The device is held with an exclusive lock for as long as
// the channel lives, so a second program (another link run among them) is told it is busy
// instead of both talking over each other on one line.
std::unique_ptr<FdChannel> openSerialPort(
    const std::string& path, int baud, std::string& error, PortTrouble* trouble = nullptr);

// The kind of trouble an errno value of open() or flock() stands for.
PortTrouble portTroubleOf(int error);

// What the user is told when COM `number`, mapped to `path`, cannot be opened: for the usual
// troubles what to do about it, otherwise `error` as the system gave it.
std::string portTroubleText(
    int number, const std::string& path, PortTrouble trouble, const std::string& error);

} // namespace marquis::unit
