#include "support/temporaryfolder.h"
#include "unitlink/comports.h"

#include <gtest/gtest.h>
#include <map>

namespace marquis::unit {
namespace {

TEST(ComPorts, EnvironmentThenSettingsFileThenDefault)
{
    testing::TemporaryFolder folder;
    std::map<std::string, std::string> environment;
    const EnvironmentLookup lookup = [&](const char* name) -> const char* {
        const auto found = environment.find(name);
        return found == environment.end() ? nullptr : found->second.c_str();
    };

    EXPECT_EQ(locateComPort(3, folder.path().string(), lookup).path, "/dev/ttyS2");

    folder.write("5300.ports",
        "# ports of this machine\r\n\r\ncom1 = /dev/pts/7\r\nCOM2=/dev/my port\r\nCOM4=\r\n");
    EXPECT_EQ(locateComPort(1, folder.path().string(), lookup).path, "/dev/pts/7");
    EXPECT_EQ(locateComPort(2, folder.path().string(), lookup).path, "/dev/my port");
    EXPECT_EQ(locateComPort(4, folder.path().string(), lookup).path, "/dev/ttyS3");

    environment["MARQUIS_COM1"] = "/tmp/unit";
    const PortLocation overridden = locateComPort(1, folder.path().string(), lookup);
    EXPECT_EQ(overridden.path, "/tmp/unit");
    EXPECT_EQ(overridden.source, "MARQUIS_COM1");
}

} // namespace
} // namespace marquis::unit
