#include "build/serialdevices.h"

#include "unitlink/unitregistry.h"

#include <cstdlib>
#include <libserialport.h>

namespace marquis {
namespace {

// Both names lead to one existing file.
bool sameDevice(const std::filesystem::path& one, const std::filesystem::path& other)
{
    std::error_code error;
    return std::filesystem::equivalent(one, other, error);
}

} // namespace

std::vector<SerialDevice> SystemSerialDevices::devices()
{
    std::vector<SerialDevice> found;
    sp_port** ports = nullptr;
    if (sp_list_ports(&ports) != SP_OK)
        ports = nullptr;
    for (sp_port** port = ports; ports != nullptr && *port != nullptr; ++port) {
        SerialDevice device;
        const char* name = sp_get_port_name(*port);
        if (name == nullptr)
            continue;
        device.systemName = name;
        device.path = stableName(device.systemName, "/dev/serial/by-id");
        if (const char* description = sp_get_port_description(*port))
            device.description = meaningfulDescription(device.systemName, description);
        if (sp_get_port_transport(*port) == SP_TRANSPORT_USB) {
            sp_get_port_usb_vid_pid(*port, &device.usbVendor, &device.usbProduct);
            if (const char* serial = sp_get_port_usb_serial(*port))
                device.serialNumber = serial;
        }
        found.push_back(std::move(device));
    }
    if (ports != nullptr)
        sp_free_port_list(ports);
    const std::vector<SerialDevice> simulated = simulatedUnitDevices(
        unit::unitRegistryFolder([](const char* name) { return std::getenv(name); }));
    found.insert(found.end(), simulated.begin(), simulated.end());
    return found;
}

std::string meaningfulDescription(const std::string& systemName, const std::string& description)
{
    return description == std::filesystem::path(systemName).filename().string() ? std::string()
                                                                                : description;
}

std::vector<SerialDevice> simulatedUnitDevices(const std::filesystem::path& registry)
{
    std::vector<SerialDevice> devices;
    for (const unit::AnnouncedUnit& unit : unit::announcedUnits(registry)) {
        SerialDevice device;
        device.path = unit.link;
        std::error_code error;
        const std::filesystem::path line = std::filesystem::canonical(unit.link, error);
        device.systemName = error ? unit.link : line.string();
        device.description = "Simulated " + std::to_string(unit.model) + " unit";
        devices.push_back(std::move(device));
    }
    return devices;
}

std::string stableName(const std::string& systemName, const std::filesystem::path& byIdFolder)
{
    std::error_code error;
    std::filesystem::directory_iterator entries(byIdFolder, error);
    if (error)
        return systemName;
    // The first match in name order, so the same device always gets the same name.
    std::string stable;
    for (const auto& entry : entries) {
        const std::string candidate = entry.path().string();
        if (sameDevice(candidate, systemName) && (stable.empty() || candidate < stable))
            stable = candidate;
    }
    return stable.empty() ? systemName : stable;
}

const SerialDevice* findDevice(const std::vector<SerialDevice>& devices, const std::string& path)
{
    for (const SerialDevice& device : devices)
        if (path == device.path || path == device.systemName)
            return &device;
    for (const SerialDevice& device : devices)
        if (sameDevice(path, device.systemName))
            return &device;
    return nullptr;
}

std::string comPortCaption(
    int port, const std::string& path, const std::vector<SerialDevice>& devices)
{
    std::string caption = "COM &" + std::to_string(port) + " \u2014 ";
    const SerialDevice* device = findDevice(devices, path);
    if (device == nullptr)
        return caption + path;
    caption += device->systemName;
    if (!device->description.empty())
        caption += ", " + device->description;
    return caption;
}

} // namespace marquis
