#include "buildfixture.h"

#include "build/toolcommands.h"

#include <thread>

using namespace marquis;
using namespace marquis::testing;

namespace {

class ToolRunnerTest : public BuildTest {
protected:
    ToolRun linkCommand(const std::string& letter, std::vector<std::string> leading = {})
    {
        return linkRun(letter, leading, programFolder.folder() + "MQSCALL", session->preferences());
    }
};

TEST_F(ToolRunnerTest, ListFileAndStatusFileFollowTheContract)
{
    session->preferences().UnitAddress = "12";
    session->preferences().UnitType = "5320";
    const ToolResult result = tools.run(linkCommand("c", { "7", "21.5 3" }));
    ASSERT_EQ(result.outcome, ToolResult::Outcome::Finished);
    EXPECT_EQ(result.statusText, "Unit answered c\r\n");
    EXPECT_EQ(runs(), std::vector<std::string> { "5300 c | 7 | 21.5 3 | /a | 12 | /b | 19200 | /c "
                                                 "| 1 | /m | 40 | /log | " +
                  programFolder.folder() + "MQSCALL" });
    EXPECT_FALSE(files.exists(programFolder.folder() + "MQSCALL.lst"));
    EXPECT_FALSE(files.exists(programFolder.folder() + "MQSCALL.log"));
}

TEST_F(ToolRunnerTest, StatusTextLosesControlCharactersUnlessReadWhole)
{
    const std::string base = workFolder.folder() + "shop";
    const ToolResult compiled =
        tools.run(compileRun(workFolder.folder() + "shop.src", base, base, toolsFolder.folder()));
    EXPECT_EQ(compiled.statusText.substr(0, 10), "Compiled  ");
    ToolRun query = linkRun("v", { base }, base, session->preferences());
    query.statusWhole = true;
    ::setenv("MARQUIS_FAKE_VERSION", "Version\t4.05", 1);
    EXPECT_EQ(tools.run(query).statusText, "Version\t4.05\r\n");
}

// The link finds COM n in MARQUIS_COMn before its 5300.ports file and its default, so the
// mapping in the settings, set there for the link run, comes before everything else; an unmapped
// port leaves the user's own variable as it is.
TEST(ComPortHandoverTest, MappedPortsGoOverTheUsersVariablesForTheLinkRun)
{
    Preferences settings;
    settings.ComDevices = { "/dev/serial/by-id/usb-FTDI-if00-port0", "", "/dev/ttyACM0", "" };
    const ToolRun run = linkRun("v", { "x" }, "/tmp/MQSCALL", settings);
    EXPECT_EQ(run.environment,
        (std::vector<std::string> { "MARQUIS_COM1=/dev/serial/by-id/usb-FTDI-if00-port0",
            "MARQUIS_COM3=/dev/ttyACM0" }));

    ::setenv("MARQUIS_COM1", "/dev/ttyS0", 1);
    ::setenv("MARQUIS_COM2", "/dev/ttyUSB7", 1);
    PosixProcesses processes;
    std::string error;
    const auto process = processes.start("/bin/sh",
        { "-c",
            "[ \"$MARQUIS_COM1\" = /dev/serial/by-id/usb-FTDI-if00-port0 ] && "
            "[ \"$MARQUIS_COM2\" = /dev/ttyUSB7 ] && [ \"$MARQUIS_COM3\" = /dev/ttyACM0 ] && "
            "[ -z \"$MARQUIS_COM4\" ]" },
        run.environment, false, error);
    ::unsetenv("MARQUIS_COM1");
    ::unsetenv("MARQUIS_COM2");
    ASSERT_NE(process, nullptr) << error;
    std::optional<int> exitCode;
    while (!(exitCode = process->poll()))
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(*exitCode, 0);
}

TEST_F(ToolRunnerTest, ToolThatCannotStartEndsAtOnce)
{
    std::filesystem::remove(toolsFolder / LinkTool);
    const auto start = std::chrono::steady_clock::now();
    const ToolResult result = tools.run(linkCommand("e"));
    EXPECT_EQ(result.outcome, ToolResult::Outcome::NotStarted);
    EXPECT_FALSE(result.error.empty());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_FALSE(files.exists(programFolder.folder() + "MQSCALL.lst"));
}

TEST_F(ToolRunnerTest, MissingStatusAndCrashAreNoticed)
{
    setMode("nostatus");
    EXPECT_EQ(tools.run(linkCommand("e")).outcome, ToolResult::Outcome::StatusUnreadable);
    setMode("crash");
    const ToolResult crashed = tools.run(linkCommand("e"));
    EXPECT_EQ(crashed.outcome, ToolResult::Outcome::StatusUnreadable);
    EXPECT_LT(crashed.exitCode, 0);
}

TEST_F(ToolRunnerTest, HangingToolIsEndedAfterCancel)
{
    setMode("hang");
    const ToolRunner::Routine routine(tools);
    ui.onPump = [this] {
        if (ui.pumps == 3)
            tools.cancel();
    };
    const ToolResult result = tools.run(linkCommand("p", { "x" }));
    EXPECT_EQ(result.outcome, ToolResult::Outcome::Cancelled);
    EXPECT_LT(result.exitCode, 0);
    EXPECT_GE(ui.pumps, 3);
}

// A cancel stops only the run it was made in, and only a run of the result window's routine:
// a run that follows, or any run outside a routine, is waited for however long it takes.
TEST_F(ToolRunnerTest, CancelEndsOnlyTheRunItWasMadeIn)
{
    // Time moves ten seconds at each poll, far past the grace time.
    auto now = ToolRunner::Clock::now();
    tools.setClock([&now] { return now += std::chrono::seconds(10); });
    {
        const ToolRunner::Routine routine(tools);
        setMode("hang");
        ui.onPump = [this] { tools.cancel(); };
        EXPECT_EQ(tools.run(linkCommand("c", { "1" })).outcome, ToolResult::Outcome::Cancelled);
        EXPECT_TRUE(tools.cancelRequested());
        setMode("ok");
        hold();
        ui.onPump = [this] {
            if (ui.pumps == 8)
                release();
        };
        const ToolResult next = tools.run(linkCommand("c", { "2" }));
        EXPECT_EQ(next.outcome, ToolResult::Outcome::Finished);
        EXPECT_EQ(next.exitCode, 0);
    }
    hold();
    const int pumps = ui.pumps;
    ui.onPump = [&] {
        tools.cancel();  // no routine: nothing to cancel
        if (ui.pumps == pumps + 5)
            release();
    };
    const ToolResult outside = tools.run(linkCommand("c", { "3" }));
    EXPECT_EQ(outside.outcome, ToolResult::Outcome::Finished);
    EXPECT_FALSE(tools.isBusy());
}

TEST_F(ToolRunnerTest, PathsWithBlanksStayWhole)
{
    TemporaryFolder spaced;
    const std::string folder = spaced.folder() + "my tools/";
    std::filesystem::create_directories(folder);
    std::filesystem::create_symlink(std::string(MARQUIS_BIN_DIR) + "/fake-tool", folder + LinkTool);
    tools.setToolsFolder(folder);
    const std::string base = spaced.folder() + "work files/MQSREAD";
    std::filesystem::create_directories(spaced.folder() + "work files");
    const ToolResult result = tools.run(linkRun("r", { spaced.folder() + "my flash; rm x" }, base,
        session->preferences()));
    ASSERT_EQ(result.outcome, ToolResult::Outcome::Finished) << result.error;
    ASSERT_EQ(runs().size(), 1u);
    EXPECT_NE(runs()[0].find("| " + spaced.folder() + "my flash; rm x |"), std::string::npos);
}

// Without a usable runtime folder the work folders go to the temporary folder, each one new.
TEST(WorkFolderTest, RuntimeFolderThatIsNoFolderLeavesTheTemporaryFolder)
{
    TemporaryFolder scratch;
    ::setenv("XDG_RUNTIME_DIR", scratch.write("not-a-folder", "x").c_str(), 1);
    WorkFolder first;
    WorkFolder second;
    const std::string one = first.path();
    const std::string two = second.path();
    ::unsetenv("XDG_RUNTIME_DIR");
    const std::string temporary = std::filesystem::temp_directory_path().string() + "/";
    EXPECT_EQ(one.rfind(temporary + "marquis5300-", 0), 0u) << one;
    EXPECT_NE(one, two);
    EXPECT_TRUE(std::filesystem::is_directory(two));
}

TEST(ReportForDisplayTest, WindowsTextBecomesUtf8AndUtf8Stays)
{
    EXPECT_EQ(reportForDisplay("Message 30 called up with the variables \"21\xB0\"."),
        "Message 30 called up with the variables \"21\u00B0\".");
    EXPECT_EQ(reportForDisplay("Flash read into /home/Jos\u00E9/flash.bin"),
        "Flash read into /home/Jos\u00E9/flash.bin");
    EXPECT_EQ(reportForDisplay("\xED\xA0\x80 \xC0\xAF"), "\u00ED\u00A0\u20AC \u00C0\u00AF");
}

TEST(ElapsedTextTest, MinutesAndSecondsTwoDigitsEach)
{
    EXPECT_EQ(elapsedText(std::chrono::seconds(0)), "00:00");
    EXPECT_EQ(elapsedText(std::chrono::seconds(75)), "01:15");
    EXPECT_EQ(elapsedText(std::chrono::seconds(3599)), "59:59");
}

}  // namespace
