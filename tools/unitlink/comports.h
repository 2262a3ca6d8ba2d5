#pragma once

#include <functional>
#include <string>

namespace marquis::unit {

// Where the device of COM port `number` (1..4) is found, and how that was decided.
struct PortLocation {
    std::string path;
    std::string source; // "MARQUIS_COM1", "/opt/tools/5300.ports" or "default"
};

// Reads an environment variable; nullptr when it is not set.
using EnvironmentLookup = std::function<const char*(const char*)>;

// COM n is, in this order: the environment variable MARQUIS_COMn; the line "COMn=<path>" of
// the file `5300.ports` in `toolFolder` (blank lines and lines starting with '#' are ignored,
// CR LF or LF line ends); /dev/ttyS<n-1>.
PortLocation locateComPort(
    int number, const std::string& toolFolder, const EnvironmentLookup& environment);

// The folder holding the running program ("" when it cannot be told).
std::string runningProgramFolder();

} // namespace marquis::unit
