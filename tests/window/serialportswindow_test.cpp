// Program > Serial ports... as the user reaches it from the menu, and what the unit link is
// handed afterwards.
#include "build/serialportsdialog.h"
#include "dialogs/dialogtest.h"
#include "support/simulatorprocess.h"
#include "support/unitonline.h"
#include "unitlink/unitregistry.h"
#include "window/windowfixture.h"

#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QTableWidget>
#include <cstdlib>

namespace marquis::testing {
namespace {

namespace names = serialportsdialog;

class ListedDevices : public SerialDeviceList {
public:
    std::vector<SerialDevice> list;
    std::vector<SerialDevice> devices() override { return list; }
};

class SerialPortsWindowTest : public WindowTest {
protected:
    void SetUp() override
    {
        forgetCom1();
        start("5360");
        window->setSerialDevices(devices);
        session->preferences().ComPort = "1";
        session->preferences().BaudRate = "38400";
    }

    // Chooses Program > Serial ports...; `user` works the dialog once it is open.
    void openDialog(std::function<void(QWidget&)> work)
    {
        bool opened = false;
        whenModalOpens([&opened, work](QWidget& dialog) {
            opened = true;
            work(dialog);
        });
        trigger("mnuPrgSerialPorts");
        EXPECT_TRUE(opened);
    }

    static QComboBox* comBox(QWidget& dialog, int port)
    {
        return child<QComboBox>(dialog, names::ComBoxes.at(static_cast<std::size_t>(port - 1)));
    }
    static std::string note(QWidget& dialog, int port)
    {
        return text(
            child<QLabel>(dialog, names::ComNotes.at(static_cast<std::size_t>(port - 1)))->text());
    }
    std::string comCaption(int port)
    {
        emit window->findChild<QMenu*>("mnuProgram")->aboutToShow();
        return text(window->action(QString("mnuPrgCom%1").arg(port))->text());
    }

    ListedDevices devices;
};

TEST_F(SerialPortsWindowTest, ChoosingTheSimulatedUnitForCom1IsWhatTheLinkOpens)
{
    const std::string link = (programFolder / "unit.link").string();
    SimulatorProcess unit(link, { "--model", "5360", "--baud", "38400" });
    ASSERT_TRUE(unit.ready()) << unit.output();
    // The unit is found the way the system's list finds it: by its announcement.
    const std::vector<SerialDevice> simulated = simulatedUnitDevices(
        unit::unitRegistryFolder([](const char* name) { return std::getenv(name); }));
    const auto announced = std::find_if(simulated.begin(), simulated.end(),
        [&](const SerialDevice& device) { return device.path == link; });
    ASSERT_NE(announced, simulated.end());
    const SerialDevice adapter { "/dev/serial/by-id/usb-FTDI_FT232R-if00-port0", "/dev/ttyUSB0",
        "FT232R USB UART", 0x0403, 0x6001, "A10K1Z2X" };
    devices.list = { adapter, *announced };
    const std::string line = announced->systemName;

    // Unmapped, COM 1 leads where it always has; a reboot finds no unit there.
    EXPECT_EQ(comCaption(1).find(link), std::string::npos);
    openDialog([&](QWidget& dialog) {
        EXPECT_EQ(text(dialog.windowTitle()), "Serial ports");
        auto* grid = child<QTableWidget>(dialog, names::DeviceGrid);
        ASSERT_EQ(grid->rowCount(), 2);
        EXPECT_EQ(text(grid->item(0, 2)->text()), "FT232R USB UART");
        EXPECT_EQ(text(grid->item(0, 3)->text()), "0403:6001");
        EXPECT_EQ(text(grid->item(1, 0)->text()), link);
        EXPECT_EQ(text(grid->item(1, 2)->text()), "Simulated 5360 unit");
        EXPECT_FALSE(child<QLabel>(dialog, names::NoDevicesLabel)->isVisibleTo(&dialog));

        QComboBox* com1 = comBox(dialog, 1);
        EXPECT_EQ(text(com1->currentText()), "");
        EXPECT_EQ(note(dialog, 1).rfind("Not mapped: the link uses ", 0), 0u);
        com1->setCurrentIndex(com1->findText(QString::fromStdString(link)));
        EXPECT_EQ(note(dialog, 1), line + ", Simulated 5360 unit");
        child<QAbstractButton>(dialog, names::Ok)->click();
    });

    EXPECT_EQ(session->preferences().ComDevices[0], link);
    EXPECT_EQ(comCaption(1), "COM &1 \u2014 " + line + ", Simulated 5360 unit");
    // Advanced > Reboot now reaches the unit on that line.
    trigger("mnuAdvReboot");
    ASSERT_FALSE(user.messages.empty());
    EXPECT_EQ(user.messages.back().text.find("COM 1 is mapped"), std::string::npos)
        << user.messages.back().text;
    EXPECT_NE(user.messages.back().text.find("OK"), std::string::npos)
        << user.messages.back().text;
}

TEST_F(SerialPortsWindowTest, CancelKeepsTheMappingAndABadPathKeepsTheDialogOpen)
{
    session->preferences().ComDevices = { "", "/dev/ttyACM0", "", "" };
    devices.list = {};
    openDialog([&](QWidget& dialog) {
        EXPECT_TRUE(child<QLabel>(dialog, names::NoDevicesLabel)->isVisibleTo(&dialog));
        // The mapping it had is on offer and shown.
        EXPECT_EQ(text(comBox(dialog, 2)->currentText()), "/dev/ttyACM0");
        comBox(dialog, 2)->setEditText("/dev/ttyUSB3");
        child<QAbstractButton>(dialog, names::Cancel)->click();
    });
    EXPECT_EQ(session->preferences().ComDevices[1], "/dev/ttyACM0");

    openDialog([&](QWidget& dialog) {
        comBox(dialog, 3)->setEditText("ttyUSB0");
        EXPECT_EQ(note(dialog, 3), "Not a device path: give the full path, such as /dev/ttyUSB0");
        child<QAbstractButton>(dialog, names::Ok)->click();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(user.messages.back().text.rfind("COM 3: \"ttyUSB0\" is not a device path", 0),
            0u);
        comBox(dialog, 3)->setEditText("");
        comBox(dialog, 2)->setEditText("");
        child<QAbstractButton>(dialog, names::Ok)->click();
    });
    EXPECT_EQ(session->preferences().ComDevices,
        (std::array<std::string, ComPortCount> { "", "", "", "" }));
}

} // namespace
} // namespace marquis::testing
