#pragma once

#include <optional>
#include <string>
#include <vector>

namespace marquis::unit {

struct SimOptions {
    std::string linkPath; // the symbolic link to the line's device that the link opens
    int model = 5360;
    int firmwareMajor = 4;
    int firmwareMinor = 5;
    int address = 0;
    std::string flashFile; // "" keeps the flash in memory only
    bool programMode = false;
    int baud = 38400;
    double dropRate = 0; // fraction of bytes lost, both directions
    double corruptRate = 0; // fraction of bytes changed, both directions
    unsigned seed = 1;
    std::string displayFile;
    std::string serialOutFile; // "" : the serial port's bytes are not kept
    bool show = false;
    unsigned flashCapacity = 0; // 0: by model
};

extern const char* const SimUsage;

// No value, with the reason in `error`, on a wrong command line.
std::optional<SimOptions> parseSimOptions(
    const std::vector<std::string>& arguments, std::string& error);

} // namespace marquis::unit
