// Opening a serial device: the usual troubles are told apart and explained to the user.

#include "support/temporaryfolder.h"
#include "unitlink/pseudoterminal.h"
#include "unitlink/serialport.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace marquis::unit {
namespace {

using marquis::testing::TemporaryFolder;

PortTrouble troubleOpening(const std::string& path)
{
    std::string error;
    PortTrouble trouble = PortTrouble::None;
    const auto channel = openSerialPort(path, 19200, error, &trouble);
    EXPECT_EQ(channel == nullptr, trouble != PortTrouble::None) << error;
    return trouble;
}

TEST(SerialPort, AMissingDeviceAsksAboutTheAdapter)
{
    TemporaryFolder folder;
    EXPECT_EQ(troubleOpening((folder / "ttyUSB0").string()), PortTrouble::Missing);
    EXPECT_EQ(portTroubleText(1, "/dev/ttyUSB0", PortTrouble::Missing, "No such file"),
        "COM 1 is mapped to /dev/ttyUSB0, which is not there: is the adapter plugged in?");
}

TEST(SerialPort, ADeviceHeldByAnotherOpeningIsBusyUntilItIsClosed)
{
    PseudoTerminal terminal;
    std::string error;
    ASSERT_TRUE(terminal.open(error)) << error;
    auto first = openSerialPort(terminal.slaveName(), 19200, error);
    ASSERT_NE(first, nullptr) << error;
    EXPECT_EQ(troubleOpening(terminal.slaveName()), PortTrouble::Busy);
    first.reset();
    EXPECT_EQ(troubleOpening(terminal.slaveName()), PortTrouble::None);

    EXPECT_EQ(portTroubleText(3, "/dev/ttyACM0", PortTrouble::Busy, "busy"),
        "COM 3 is mapped to /dev/ttyACM0, which another program is using: close that program "
        "(a terminal or another link to the unit) and try again.");
}

TEST(SerialPort, ADeviceTheUserMayNotOpenNamesTheGroupToJoin)
{
    TemporaryFolder folder;
    const std::string path = folder.write("ttyS9", "").string();
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    // The super-user may open anything, so the opening is tried as an ordinary user.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::geteuid() == 0) {
            ::chmod(folder.path().c_str(), 0755);
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                ::_exit(2);
        }
        std::string childError;
        PortTrouble trouble = PortTrouble::None;
        openSerialPort(path, 19200, childError, &trouble);
        ::_exit(trouble == PortTrouble::Denied ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);

    EXPECT_EQ(portTroubleText(2, "/dev/ttyUSB1", PortTrouble::Denied, "Permission denied"),
        "COM 2 is mapped to /dev/ttyUSB1, which you may not open: add your user to the group "
        "that owns it, e.g. dialout, and log in again.");
}

TEST(SerialPort, OtherFailuresKeepTheSystemsReason)
{
    TemporaryFolder folder;
    const std::string path = folder.write("notes", "text").string();
    std::string error;
    PortTrouble trouble = PortTrouble::None;
    EXPECT_EQ(openSerialPort(path, 19200, error, &trouble), nullptr);
    EXPECT_EQ(trouble, PortTrouble::Other);
    EXPECT_EQ(portTroubleText(4, path, trouble, error),
        "Cannot open COM 4 (" + path + "): it is not a serial port.");
}

} // namespace
} // namespace marquis::unit
