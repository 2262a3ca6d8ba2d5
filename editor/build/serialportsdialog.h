#pragma once

#include "build/serialdevices.h"
#include "files/preferences.h"
#include "ports/userinterface.h"
#include "unitlink/comports.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace marquis {

// The texts of Program > Serial ports... (frmPorts).
namespace serialportsdialog {
inline constexpr std::string_view Caption = "Serial ports";
inline constexpr std::string_view DevicesGroup = "Serial devices found on this computer";
inline constexpr std::array<std::string_view, 5> DeviceColumns = { "Device", "System name",
    "Description", "USB vendor:product", "Serial number" };
inline constexpr std::string_view NoDevices =
    "No serial devices were found. Plug the adapter in and press Refresh, or type the device's "
    "path into a COM box.";
inline constexpr std::string_view MappingGroup = "COM ports";
inline constexpr std::string_view RefreshButton = "&Refresh";

// The names the window's controls carry.
inline constexpr const char* Window = "frmPorts";
inline constexpr const char* DeviceGrid = "grdDevices";
inline constexpr const char* NoDevicesLabel = "lblNoDevices";
inline constexpr std::array<const char*, 4> ComBoxes = { "cboCom1", "cboCom2", "cboCom3",
    "cboCom4" };
inline constexpr std::array<const char*, 4> ComNotes = { "lblCom1Note", "lblCom2Note",
    "lblCom3Note", "lblCom4Note" };
inline constexpr const char* Refresh = "cmdRefresh";
inline constexpr const char* Ok = "cmdOK";
inline constexpr const char* Cancel = "cmdCancel";
inline constexpr const char* Help = "cmdHelp";
} // namespace serialportsdialog

// What the description beside a COM box says about the path it holds.
struct MappingNote {
    std::string text;
    bool warning = false; // the device is not there
};

// The dialog's logic: the devices found and, for each of COM 1 to 4, the device it is mapped to
// ("" for none, where the unit link looks for it as it always has: MARQUIS_COMn, 5300.ports beside
// the tools, /dev/ttyS<n-1>).
class SerialPortsDialog {
public:
    static constexpr int PortCount = static_cast<int>(ComPortCount);

    SerialPortsDialog(const Preferences& settings, SerialDeviceList& deviceList,
        unit::EnvironmentLookup environment);

    // Lists the devices again (an adapter was plugged in).
    void refresh();
    const std::vector<SerialDevice>& devices() const { return m_devices; }
    // The cells of a device's row, in the order of DeviceColumns.
    static std::array<std::string, 5> deviceCells(const SerialDevice& device);

    // COM `port` (1..4): its box, and the paths its list offers (every device found, and the
    // mapping it had when the dialog opened if that is none of them).
    const std::string& mapping(int port) const;
    std::vector<std::string> offeredPaths(int port) const;
    // The user typed or chose a path for COM `port`; surrounding blanks are not part of it.
    void setMapping(int port, std::string_view path);
    // What the box's path reaches: the device's description, where an empty box leads, or that
    // nothing is there.
    MappingNote note(int port) const;

    // OK: checks every box and takes the mapping into the settings. A path that is no absolute
    // device path is refused with a message naming the COM port (nothing is taken); a path to
    // nothing is kept only when the user agrees. False when nothing was taken.
    bool apply(Preferences& settings, UserInterface& ui) const;

private:
    std::string fallback(int port) const;

    SerialDeviceList& m_deviceList;
    unit::EnvironmentLookup m_environment;
    std::string m_toolsFolder;
    std::vector<SerialDevice> m_devices;
    std::array<std::string, PortCount> m_opened {};
    std::array<std::string, PortCount> m_mapping {};
};

} // namespace marquis
