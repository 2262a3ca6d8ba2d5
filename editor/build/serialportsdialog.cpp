#include "build/serialportsdialog.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace marquis {
namespace {

std::size_t indexOf(int port)
{
    if (port < 1 || port > SerialPortsDialog::PortCount)
        throw std::out_of_range("COM port " + std::to_string(port));
    return static_cast<std::size_t>(port - 1);
}

std::string trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

std::string hex4(int value)
{
    char text[8];
    std::snprintf(text, sizeof text, "%04x", value & 0xffff);
    return text;
}

// One line of the settings file holds the path, and the link reads it as a file name: it must
// be absolute and free of control characters.
bool usablePath(const std::string& path)
{
    return path.starts_with('/') &&
        std::none_of(path.begin(), path.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
        });
}

bool exists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::exists(path, error);
}

std::string comName(int port)
{
    return "COM " + std::to_string(port);
}

} // namespace

SerialPortsDialog::SerialPortsDialog(const Preferences& settings, SerialDeviceList& deviceList,
    unit::EnvironmentLookup environment)
    : m_deviceList(deviceList)
    , m_environment(std::move(environment))
    , m_toolsFolder(settings.ToolsFolder)
    , m_opened(settings.ComDevices)
    , m_mapping(settings.ComDevices)
{
    refresh();
}

void SerialPortsDialog::refresh()
{
    m_devices = m_deviceList.devices();
}

std::array<std::string, 5> SerialPortsDialog::deviceCells(const SerialDevice& device)
{
    const bool usb = device.usbVendor >= 0 && device.usbProduct >= 0;
    return { device.path, device.systemName, device.description,
        usb ? hex4(device.usbVendor) + ":" + hex4(device.usbProduct) : std::string(),
        device.serialNumber };
}

const std::string& SerialPortsDialog::mapping(int port) const
{
    return m_mapping.at(indexOf(port));
}

std::vector<std::string> SerialPortsDialog::offeredPaths(int port) const
{
    std::vector<std::string> paths;
    for (const SerialDevice& device : m_devices)
        paths.push_back(device.path);
    const std::string& opened = m_opened.at(indexOf(port));
    if (!opened.empty() && findDevice(m_devices, opened) == nullptr)
        paths.push_back(opened);
    return paths;
}

void SerialPortsDialog::setMapping(int port, std::string_view path)
{
    m_mapping.at(indexOf(port)) = trimmed(path);
}

std::string SerialPortsDialog::fallback(int port) const
{
    return unit::locateComPort(port, m_toolsFolder, m_environment).path;
}

MappingNote SerialPortsDialog::note(int port) const
{
    const std::string& path = mapping(port);
    if (path.empty()) {
        const std::string reached = fallback(port);
        const SerialDevice* device = findDevice(m_devices, reached);
        std::string text = "Not mapped: the link uses " + reached;
        if (device != nullptr && !device->description.empty())
            text += " (" + device->description + ")";
        return { text, !exists(reached) };
    }
    if (!usablePath(path))
        return { "Not a device path: give the full path, such as /dev/ttyUSB0", true };
    if (const SerialDevice* device = findDevice(m_devices, path)) {
        std::string text = device->systemName;
        if (!device->description.empty())
            text += ", " + device->description;
        return { text, false };
    }
    if (!exists(path))
        return { "Not there: is the adapter plugged in?", true };
    return { "Not listed by the system; it will be opened as given", false };
}

bool SerialPortsDialog::apply(Preferences& settings, UserInterface& ui) const
{
    for (int port = 1; port <= PortCount; ++port) {
        const std::string& path = mapping(port);
        if (path.empty())
            continue;
        if (!usablePath(path)) {
            ui.message(comName(port) + ": \"" + path +
                    "\" is not a device path. Give the full path of the device, such as "
                    "/dev/ttyUSB0, or leave the box empty.",
                Buttons::Ok, Icon::Exclamation, Answer::Ok);
            return false;
        }
    }
    for (int port = 1; port <= PortCount; ++port) {
        const std::string& path = mapping(port);
        // A mapping kept as it was is not questioned again.
        if (path.empty() || path == m_opened.at(indexOf(port)) || exists(path))
            continue;
        if (ui.message(comName(port) + " is mapped to " + path +
                    ", which is not there: is the adapter plugged in? Keep this mapping anyway?",
                Buttons::YesNo, Icon::Question, Answer::No) != Answer::Yes)
            return false;
    }
    settings.ComDevices = m_mapping;
    return true;
}

} // namespace marquis
