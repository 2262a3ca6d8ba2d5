#pragma once

#include "channel.h"

#include <memory>
#include <string>

namespace marquis::unit {

// The line rates a unit supports.
bool isSupportedBaud(int baud);

// Opens a serial device (or the slave side of a pseudo-terminal) raw, 8 data bits, no parity,
// one stop bit, no flow control, at `baud`; what was waiting in its buffers is discarded.
// No value, with the reason in `error`, when it cannot be opened or is not a serial device.
std::unique_ptr<FdChannel> openSerialPort(const std::string& path, int baud, std::string& error);

} // namespace marquis::unit
