#include "buildfixture.h"

#include "build/toolcommands.h"

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
    const ToolResult compiled = tools.run(compileRun(workFolder.folder() + "shop.src", base, toolsFolder.folder()));
    EXPECT_EQ(compiled.statusText.substr(0, 10), "Compiled  ");
    ToolRun query = linkRun("v", { base }, base, session->preferences());
    query.statusWhole = true;
    ::setenv("MARQUIS_FAKE_VERSION", "Version\t4.05", 1);
    EXPECT_EQ(tools.run(query).statusText, "Version\t4.05\r\n");
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
    ui.onPump = [this] {
        if (ui.pumps == 3)
            tools.ToolCancel = true;
    };
    std::vector<std::string> elapsed;
    tools.onElapsed = [&](const std::string& text) { elapsed.push_back(text); };
    const ToolResult result = tools.run(linkCommand("p", { "x" }));
    EXPECT_EQ(result.outcome, ToolResult::Outcome::StatusUnreadable);
    EXPECT_GE(ui.pumps, 3);
    ASSERT_FALSE(elapsed.empty());
    EXPECT_EQ(elapsed.front(), "00:00");
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

TEST(ElapsedTextTest, MinutesAndSecondsTwoDigitsEach)
{
    EXPECT_EQ(elapsedText(std::chrono::seconds(0)), "00:00");
    EXPECT_EQ(elapsedText(std::chrono::seconds(75)), "01:15");
    EXPECT_EQ(elapsedText(std::chrono::seconds(3599)), "59:59");
}

}  // namespace
