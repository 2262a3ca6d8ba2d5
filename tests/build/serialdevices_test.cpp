// The serial devices found on the machine: stable names and the Program menu's COM captions.

#include "build/serialdevices.h"
#include "support/temporaryfolder.h"
#include "unitlink/unitregistry.h"

#include <gtest/gtest.h>

using namespace marquis;
using namespace marquis::testing;

namespace {

// Two adapters as the system lists them: one USB adapter known by its stable name, one
// on-board port.
std::vector<SerialDevice> twoDevices(const std::string& stable, const std::string& usb)
{
    SerialDevice adapter { stable, usb, "FT232R USB UART", 0x0403, 0x6001, "A10K1Z2X" };
    SerialDevice onBoard { "/dev/ttyS0", "/dev/ttyS0", "", -1, -1, "" };
    return { adapter, onBoard };
}

TEST(SerialDevicesTest, TheStableNameIsTheFirstByIdLinkToTheDevice)
{
    TemporaryFolder folder;
    const std::string usb0 = folder.write("ttyUSB0", "").string();
    const std::string usb1 = folder.write("ttyUSB1", "").string();
    std::filesystem::create_directory(folder / "by-id");
    std::filesystem::create_symlink(usb0, folder / "by-id" / "usb-B-if00-port0");
    std::filesystem::create_symlink(usb0, folder / "by-id" / "usb-A-if00-port0");
    std::filesystem::create_symlink(folder / "gone", folder / "by-id" / "usb-C-if00-port0");

    EXPECT_EQ(stableName(usb0, folder / "by-id"), (folder / "by-id" / "usb-A-if00-port0").string());
    // No link to it, a dangling link beside it, or no by-id folder at all: its own name.
    EXPECT_EQ(stableName(usb1, folder / "by-id"), usb1);
    EXPECT_EQ(stableName(usb0, folder / "none"), usb0);
}

TEST(SerialDevicesTest, ComCaptionsNameTheDeviceReachedByAnyOfItsNames)
{
    TemporaryFolder folder;
    const std::string usb = folder.write("ttyUSB0", "").string();
    const std::string stable = (folder / "usb-FTDI-if00-port0").string();
    std::filesystem::create_symlink(usb, stable);
    const auto devices = twoDevices(stable, usb);
    const std::string shown = "COM &1 \u2014 " + usb + ", FT232R USB UART";

    EXPECT_EQ(comPortCaption(1, stable, devices), shown);
    EXPECT_EQ(comPortCaption(1, usb, devices), shown);
    // Another link to the same device, say one the user made.
    std::filesystem::create_symlink(usb, folder / "sign");
    EXPECT_EQ(comPortCaption(1, (folder / "sign").string(), devices), shown);

    // A device without a description shows its name; an unlisted one (a pseudo-terminal of the
    // simulated unit, an unplugged adapter) the path as mapped.
    EXPECT_EQ(comPortCaption(2, "/dev/ttyS0", devices), "COM &2 \u2014 /dev/ttyS0");
    EXPECT_EQ(comPortCaption(4, "/tmp/unit1", devices), "COM &4 \u2014 /tmp/unit1");
}

TEST(SerialDevicesTest, ADescriptionThatOnlyRepeatsTheNameIsDropped)
{
    EXPECT_EQ(meaningfulDescription("/dev/ttyS0", "ttyS0"), "");
    EXPECT_EQ(comPortCaption(1, "/dev/ttyS0",
                  { { "/dev/ttyS0", "/dev/ttyS0", meaningfulDescription("/dev/ttyS0", "ttyS0"),
                      -1, -1, "" } }),
        "COM &1 \u2014 /dev/ttyS0");
    EXPECT_EQ(meaningfulDescription("/dev/ttyUSB0", "FT232R USB UART"), "FT232R USB UART");
}

TEST(SerialDevicesTest, SimulatedUnitsAreListedByTheirLinks)
{
    TemporaryFolder folder;
    const std::string line = folder.write("line", "").string();
    const std::string link = (folder / "unit.link").string();
    std::filesystem::create_symlink(line, link);
    const unit::UnitAnnouncement announcement(folder / "units", link, 5320);
    ASSERT_TRUE(announcement.announced());

    const std::vector<SerialDevice> devices = simulatedUnitDevices(folder / "units");
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0], (SerialDevice { link, line, "Simulated 5320 unit", -1, -1, "" }));
    EXPECT_EQ(comPortCaption(2, link, devices), "COM &2 \u2014 " + line + ", Simulated 5320 unit");
}

TEST(SerialDevicesTest, TheSystemsDevicesAreNamedUnderDev)
{
    // Machines without serial hardware list none; whatever is listed is a device node.
    for (const SerialDevice& device : SystemSerialDevices().devices()) {
        if (device.description.starts_with("Simulated"))
            continue; // a simulated unit another test runs: its link is where that test put it
        EXPECT_TRUE(device.systemName.starts_with("/dev/")) << device.systemName;
        EXPECT_TRUE(device.path.starts_with("/dev/")) << device.path;
    }
}

} // namespace
