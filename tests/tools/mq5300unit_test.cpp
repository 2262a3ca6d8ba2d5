// The build and unit commands of mq5300, run against the build tests' stand-in tool: a copy of
// mq5300 in a folder of its own finds the stand-in there under the real tools' names.

#include "tooltest.h"

using namespace marquis::testing;

namespace {

class Mq5300Unit : public ::testing::Test {
protected:
    Mq5300Unit()
    {
        std::filesystem::copy_file(toolPath(), tools / "mq5300");
        for (const char* name : { "src2esc", "esc2bin", "5300" })
            std::filesystem::create_symlink(
                std::string(MARQUIS_BIN_DIR) + "/fake-tool", tools / name);
    }

    ProcessResult run(std::vector<std::string> arguments, const std::string& mode = "ok")
    {
        arguments.insert(arguments.begin(), (tools / "mq5300").string());
        return runProcess(arguments, {},
            { "MARQUIS_FAKE_TOOL=" + mode, "MARQUIS_FAKE_RECORD=" + (work / "runs.txt").string(),
                "XDG_RUNTIME_DIR=" + runtime.path().string() });
    }

    // Every tool run so far: "name letter | line | line ...".
    std::vector<std::string> runs() const
    {
        std::ifstream in(work / "runs.txt");
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    bool workFoldersGone() const { return std::filesystem::is_empty(runtime.path()); }

    TemporaryFolder tools;
    TemporaryFolder work;
    TemporaryFolder runtime;
};

// The tools' argument lists and reports are work files of a private folder, which goes when
// the command ends; a user's files beside the script that share their names stay untouched.
TEST_F(Mq5300Unit, BuildAndProgramLeaveTheUsersFilesAlone)
{
    const std::string script = (work / "shop.src").string();
    writeBytes(script, "SUB 1(TASK=0)\r\nEND SUB\r\n");
    writeBytes(work / "shop.lst", "my shopping list\r\n");
    writeBytes(work / "shop.log", "my diary\r\n");

    const ProcessResult built = run({ "build", script });
    EXPECT_EQ(built.exitCode, 0) << built.errors;
    EXPECT_TRUE(std::filesystem::exists(work / "shop.bin"));
    const ProcessResult programmed = run({ "program", (work / "shop.bin").string() });
    EXPECT_EQ(programmed.exitCode, 0) << programmed.errors;
    EXPECT_EQ(programmed.output, "Unit answered p\r\n");

    EXPECT_EQ(readBytes(work / "shop.lst"), "my shopping list\r\n");
    EXPECT_EQ(readBytes(work / "shop.log"), "my diary\r\n");
    EXPECT_TRUE(workFoldersGone());
    const std::vector<std::string> recorded = runs();
    ASSERT_EQ(recorded.size(), 3u);
    const std::string privateFolder = runtime.path().string() + "/marquis5300-";
    for (const std::string& line : recorded) {
        const std::size_t log = line.find(" | /log | ");
        ASSERT_NE(log, std::string::npos) << line;
        EXPECT_EQ(line.substr(log + 10, privateFolder.size()), privateFolder) << line;
    }
    EXPECT_TRUE(recorded[2].starts_with("5300 p | " + (work / "shop").string() + " | /a"));
}

// A tool that leaves no report has failed as a tool does (exit code 1), and the work folder
// goes all the same.
TEST_F(Mq5300Unit, MissingReportIsAToolFailure)
{
    writeBytes(work / "image.bin", "bin");
    const ProcessResult called = run({ "callup", "5" }, "nostatus");
    EXPECT_EQ(called.exitCode, 1);
    EXPECT_EQ(called.errors, "mq5300: Can't read return status file MQSCALL.log\n");
    const ProcessResult programmed = run({ "program", (work / "image.bin").string() }, "nostatus");
    EXPECT_EQ(programmed.exitCode, 1);
    EXPECT_EQ(programmed.errors, "mq5300: Can't read program return status file image.log\n");
    EXPECT_TRUE(workFoldersGone());
}

// Text from the command line is UTF-8; the unit and its argument lists use Windows-1252.
TEST_F(Mq5300Unit, CallupSendsTheUnitsCodePage)
{
    const ProcessResult called = run({ "callup", "30", "21\u00B0C \u20AC" });
    EXPECT_EQ(called.exitCode, 0) << called.errors;
    ASSERT_EQ(runs().size(), 1u);
    EXPECT_TRUE(runs()[0].starts_with("5300 c | 30 | 21\xB0"
                                      "C \x80 | /a"))
        << runs()[0];

    EXPECT_TRUE(failedCleanly(run({ "callup", "30", "21\u03A9" })));
    EXPECT_TRUE(failedCleanly(run({ "callup", "3\u03A9" })));
    EXPECT_EQ(runs().size(), 1u);
    EXPECT_TRUE(workFoldersGone());
}

} // namespace
