// Program > Serial ports...: what the dialog offers for each COM port, what it says about a
// mapping, and what OK takes into the settings.

#include "build/serialportsdialog.h"
#include "support/fakeuserinterface.h"
#include "support/temporaryfolder.h"

#include <gtest/gtest.h>

namespace marquis::testing {
namespace {

class ListedDevices : public SerialDeviceList {
public:
    std::vector<SerialDevice> list;
    int enumerations = 0;
    std::vector<SerialDevice> devices() override
    {
        ++enumerations;
        return list;
    }
};

class SerialPortsDialogTest : public ::testing::Test {
protected:
    SerialPortsDialogTest()
    {
        adapterLine = folder.write("ttyUSB0", "").string();
        adapter = { (folder / "usb-FTDI_FT232R_A10K1Z2X-if00-port0").string(), adapterLine,
            "FT232R USB UART", 0x0403, 0x6001, "A10K1Z2X" };
        std::filesystem::create_symlink(adapterLine, adapter.path);
        devices.list = { adapter };
        settings.ToolsFolder = folder.folder();
    }

    SerialPortsDialog dialog()
    {
        return SerialPortsDialog(settings, devices, [this](const char* name) {
            const auto found = environment.find(name);
            return found == environment.end() ? nullptr : found->second.c_str();
        });
    }

    TemporaryFolder folder;
    std::string adapterLine;
    SerialDevice adapter;
    ListedDevices devices;
    Preferences settings;
    std::map<std::string, std::string> environment;
    FakeUserInterface user;
};

TEST_F(SerialPortsDialogTest, TheListShowsEachDeviceAndOffersItForEveryPort)
{
    const SerialDevice onBoard { "/dev/ttyS0", "/dev/ttyS0", "", -1, -1, "" };
    devices.list.push_back(onBoard);
    settings.ComDevices = { "", "/dev/ttyUSB9", adapter.path, "" };
    SerialPortsDialog ports = dialog();

    EXPECT_EQ(SerialPortsDialog::deviceCells(adapter),
        (std::array<std::string, 5> { adapter.path, adapterLine, "FT232R USB UART", "0403:6001",
            "A10K1Z2X" }));
    EXPECT_EQ(SerialPortsDialog::deviceCells(onBoard),
        (std::array<std::string, 5> { "/dev/ttyS0", "/dev/ttyS0", "", "", "" }));

    // A mapping to a device that is not listed (unplugged, or a path typed by hand) stays on
    // offer for its own port, so that the box can go back to it.
    EXPECT_EQ(ports.offeredPaths(1), (std::vector<std::string> { adapter.path, "/dev/ttyS0" }));
    EXPECT_EQ(ports.offeredPaths(2),
        (std::vector<std::string> { adapter.path, "/dev/ttyS0", "/dev/ttyUSB9" }));
    EXPECT_EQ(ports.offeredPaths(3), ports.offeredPaths(1));
    EXPECT_EQ(ports.mapping(3), adapter.path);

    // Refresh asks the system again.
    devices.list.pop_back();
    ports.refresh();
    EXPECT_EQ(devices.enumerations, 2);
    EXPECT_EQ(ports.devices(), std::vector<SerialDevice> { adapter });
}

TEST_F(SerialPortsDialogTest, TheNoteSaysWhatTheBoxReaches)
{
    SerialPortsDialog ports = dialog();

    // Listed, by its stable name or its system name: the device's own words.
    ports.setMapping(1, "  " + adapter.path + " ");
    EXPECT_EQ(ports.mapping(1), adapter.path);
    EXPECT_EQ(ports.note(1).text, adapterLine + ", FT232R USB UART");
    EXPECT_FALSE(ports.note(1).warning);
    ports.setMapping(1, adapterLine);
    EXPECT_EQ(ports.note(1).text, adapterLine + ", FT232R USB UART");

    // Empty: where the link looks without a mapping, in its order.
    environment["MARQUIS_COM2"] = adapterLine;
    EXPECT_EQ(ports.note(2).text, "Not mapped: the link uses " + adapterLine + " (FT232R USB UART)");
    EXPECT_FALSE(ports.note(2).warning);
    folder.write("5300.ports", "COM3=/dev/ttyACM7\r\n");
    EXPECT_EQ(ports.note(3).text, "Not mapped: the link uses /dev/ttyACM7");
    EXPECT_TRUE(ports.note(3).warning);
    EXPECT_EQ(ports.note(4).text, "Not mapped: the link uses /dev/ttyS3");

    // Not listed: a path to nothing, a file that is there, and no path at all.
    ports.setMapping(2, (folder / "gone").string());
    EXPECT_EQ(ports.note(2).text, "Not there: is the adapter plugged in?");
    EXPECT_TRUE(ports.note(2).warning);
    ports.setMapping(2, folder.write("pty", "").string());
    EXPECT_EQ(ports.note(2).text, "Not listed by the system; it will be opened as given");
    EXPECT_FALSE(ports.note(2).warning);
    ports.setMapping(2, "ttyUSB0");
    EXPECT_EQ(ports.note(2).text, "Not a device path: give the full path, such as /dev/ttyUSB0");
    EXPECT_TRUE(ports.note(2).warning);
}

TEST_F(SerialPortsDialogTest, OkTakesTheMappingOnlyWhenEveryBoxHoldsAPath)
{
    settings.ComDevices = { "/dev/ttyS0", "", "", "" };
    SerialPortsDialog ports = dialog();
    ports.setMapping(1, adapter.path);
    ports.setMapping(4, "ttyUSB0");
    EXPECT_FALSE(ports.apply(settings, user));
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0].text,
        "COM 4: \"ttyUSB0\" is not a device path. Give the full path of the device, such as "
        "/dev/ttyUSB0, or leave the box empty.");
    EXPECT_EQ(settings.ComDevices[0], "/dev/ttyS0");

    // A line break would split the settings file's line and give the link another name.
    ports.setMapping(4, "/dev/ttyUSB0\ncom1_device=/etc/passwd");
    EXPECT_FALSE(ports.apply(settings, user));
    EXPECT_EQ(settings.ComDevices[0], "/dev/ttyS0");

    ports.setMapping(4, "");
    EXPECT_TRUE(ports.apply(settings, user));
    EXPECT_EQ(settings.ComDevices,
        (std::array<std::string, ComPortCount> { adapter.path, "", "", "" }));
}

TEST_F(SerialPortsDialogTest, AMappingToNothingIsKeptOnlyWhenTheUserAgrees)
{
    settings.ComDevices = { "", "", "", "/dev/ttyACM3" };
    const std::string unplugged = (folder / "usb-Prolific-if00-port0").string();
    SerialPortsDialog ports = dialog();
    ports.setMapping(2, unplugged);

    user.answers = { Answer::No };
    EXPECT_FALSE(ports.apply(settings, user));
    EXPECT_EQ(user.messages.back().text,
        "COM 2 is mapped to " + unplugged +
            ", which is not there: is the adapter plugged in? Keep this mapping anyway?");
    EXPECT_EQ(user.messages.back().buttons, Buttons::YesNo);
    EXPECT_EQ(settings.ComDevices[1], "");

    user.answers = { Answer::Yes };
    EXPECT_TRUE(ports.apply(settings, user));
    EXPECT_EQ(settings.ComDevices[1], unplugged);
    // COM 4's missing device was mapped before the dialog opened: it is not asked about.
    EXPECT_EQ(user.messages.size(), 2u);
    EXPECT_EQ(settings.ComDevices[3], "/dev/ttyACM3");
}

} // namespace
} // namespace marquis::testing
