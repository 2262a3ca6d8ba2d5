#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace marquis {

// A serial device found on this machine.
struct SerialDevice {
    std::string path; // what to map a COM port to: the stable /dev/serial/by-id name if any
    std::string systemName; // the kernel's name, e.g. /dev/ttyUSB0
    std::string description; // e.g. "FT232R USB UART"; "" when the system tells none
    int usbVendor = -1; // USB vendor and product id; -1 for devices not on USB
    int usbProduct = -1;
    std::string serialNumber; // of a USB adapter; "" when it has none

    bool operator==(const SerialDevice&) const = default;
};

// The serial devices of this machine. Tests put a list of their own in its place.
class SerialDeviceList {
public:
    virtual ~SerialDeviceList() = default;
    virtual std::vector<SerialDevice> devices() = 0;
};

// The devices the system's serial port enumeration reports, each under its stable name where
// /dev/serial/by-id has one, so a mapping survives the adapter being plugged in elsewhere; then
// the simulated units running for this user.
class SystemSerialDevices : public SerialDeviceList {
public:
    std::vector<SerialDevice> devices() override;
};

// The description the system gives, unless it only repeats the device's file name (on-board
// ports are described as "ttyS0"), which would show the name twice.
std::string meaningfulDescription(const std::string& systemName, const std::string& description);

// The simulated units announced in `registry`, as devices: the link to the unit's line as the
// path to map, the line itself as the system name.
std::vector<SerialDevice> simulatedUnitDevices(const std::filesystem::path& registry);

// The entry of `byIdFolder` that leads to the same device as `systemName`, or `systemName`
// itself when there is none (the folder is missing on machines without USB serial adapters).
std::string stableName(const std::string& systemName, const std::filesystem::path& byIdFolder);

// The listed device `path` reaches (by either of its names, or through links to it); nullptr
// when none does.
const SerialDevice* findDevice(const std::vector<SerialDevice>& devices, const std::string& path);

// The Program menu's caption for COM `port` reaching `path`: "COM &1 — /dev/ttyUSB0, FT232R USB
// UART" for a listed device with a description, else "COM &1 — <path>".
std::string comPortCaption(
    int port, const std::string& path, const std::vector<SerialDevice>& devices);

} // namespace marquis
