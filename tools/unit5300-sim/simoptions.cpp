#include "simoptions.h"

#include <cstdlib>

namespace marquis::unit {

const char* const SimUsage =
    "usage: unit5300-sim --link PATH [options]\n"
    "  --link PATH            create PATH as a link to the unit's serial line (required)\n"
    "  --model 5320|5360      display model (default 5360)\n"
    "  --firmware X.YY        firmware release, 3.xx or 4.xx (default 4.05)\n"
    "  --address N            unit address 0..255 (default 0)\n"
    "  --flash FILE           keep the flash image in FILE (loaded at start)\n"
    "  --program-mode on|off  whether erase and program are allowed (default off)\n"
    "  --baud N               line rate the unit paces its bytes at (default 38400)\n"
    "  --drop F --corrupt F   fraction (0..1) of bytes lost / changed on the line\n"
    "  --seed N               seed of the line faults (default 1)\n"
    "  --capacity BYTES       flash size (default 64 KiB for 5320, 128 KiB for 5360)\n"
    "  --display FILE         write the display rows to FILE whenever they change\n"
    "  --serial-out FILE      append the bytes messages send out of the serial port to FILE\n"
    "  --show                 print the display, the serial output and the texts passed to a\n"
    "                         slave unit to the terminal\n";

namespace {

std::optional<long> wholeNumber(const std::string& text, long low, long high)
{
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < low || value > high)
        return std::nullopt;
    return value;
}

std::optional<double> fraction(const std::string& text)
{
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(value >= 0 && value <= 1))
        return std::nullopt;
    return value;
}

} // namespace

std::optional<SimOptions> parseSimOptions(
    const std::vector<std::string>& arguments, std::string& error)
{
    SimOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        if (name == "--show") {
            options.show = true;
            continue;
        }
        if (i + 1 >= arguments.size()) {
            error = "missing value after " + name;
            return std::nullopt;
        }
        const std::string& value = arguments[++i];
        const auto bad = [&]() {
            error = "bad value \"" + value + "\" for " + name;
            return std::nullopt;
        };
        if (name == "--link") {
            options.linkPath = value;
        } else if (name == "--model") {
            if (value != "5320" && value != "5360")
                return bad();
            options.model = value == "5320" ? 5320 : 5360;
        } else if (name == "--firmware") {
            const auto dot = value.find('.');
            if (dot == std::string::npos || value.size() - dot != 3)
                return bad();
            const auto major = wholeNumber(value.substr(0, dot), 3, 4);
            const auto minor = wholeNumber(value.substr(dot + 1), 0, 99);
            if (!major || !minor)
                return bad();
            options.firmwareMajor = static_cast<int>(*major);
            options.firmwareMinor = static_cast<int>(*minor);
        } else if (name == "--address") {
            const auto number = wholeNumber(value, 0, 255);
            if (!number)
                return bad();
            options.address = static_cast<int>(*number);
        } else if (name == "--flash") {
            options.flashFile = value;
        } else if (name == "--program-mode") {
            if (value != "on" && value != "off")
                return bad();
            options.programMode = value == "on";
        } else if (name == "--baud") {
            const auto number = wholeNumber(value, 300, 38400);
            if (!number)
                return bad();
            options.baud = static_cast<int>(*number);
        } else if (name == "--drop" || name == "--corrupt") {
            const auto rate = fraction(value);
            if (!rate)
                return bad();
            (name == "--drop" ? options.dropRate : options.corruptRate) = *rate;
        } else if (name == "--seed") {
            const auto number = wholeNumber(value, 0, 2'000'000'000);
            if (!number)
                return bad();
            options.seed = static_cast<unsigned>(*number);
        } else if (name == "--capacity") {
            const auto number = wholeNumber(value, 1, 16 * 1024 * 1024);
            if (!number)
                return bad();
            options.flashCapacity = static_cast<unsigned>(*number);
        } else if (name == "--display") {
            options.displayFile = value;
        } else if (name == "--serial-out") {
            options.serialOutFile = value;
        } else {
            error = "unknown option " + name;
            return std::nullopt;
        }
    }
    if (options.linkPath.empty()) {
        error = "--link PATH is required";
        return std::nullopt;
    }
    if (options.flashCapacity == 0)
        options.flashCapacity = options.model == 5320 ? 64 * 1024 : 128 * 1024;
    return options;
}

} // namespace marquis::unit
