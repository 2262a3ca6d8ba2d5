// src2esc and esc2bin run as the editor runs them: "<tool> @<listfile>".

#include "scriptcode/displayunit.h"
#include "scripttest.h"
#include "support/processrunner.h"
#include "support/temporaryfolder.h"

#include <filesystem>

using namespace marquis;
using namespace marquis::testing;
namespace fs = std::filesystem;

namespace {

std::string tool(const char* name)
{
    return std::string(MARQUIS_BIN_DIR) + "/" + name;
}

// A list file: one argument a line, CR LF, then one further empty line.
ProcessResult runWithList(
    const TemporaryFolder& folder, const char* name, const std::vector<std::string>& lines)
{
    std::string list;
    for (const std::string& line : lines)
        list += line + "\r\n";
    list += "\r\n";
    const fs::path listFile = folder.write(std::string(name) + " list.txt", list);
    return runProcess({ tool(name), "@" + listFile.string() });
}

ProcessResult compileFull(
    const TemporaryFolder& folder, const std::string& source, const std::string& base)
{
    return runWithList(folder, "src2esc",
        { source, base, "/error", base, "/include", toolsFolder(), "/log", base });
}

ProcessResult assembleFull(const TemporaryFolder& folder, const std::string& base)
{
    return runWithList(folder, "esc2bin", { base, base, "/error", base, "/log", base });
}

TEST(Tools, DemoGoesFromScriptToImageThroughPathsWithBlanks)
{
    TemporaryFolder folder;
    fs::create_directories(folder / "my scripts");
    const std::string source = (folder / "my scripts" / "shop demo.src").string();
    fs::copy_file(std::string(MARQUIS_EXAMPLES_DIR) + "/demo.src", source);
    const std::string base = (folder / "my scripts" / "shop demo").string();
    // A stale error file of an earlier run must not make this run look failed.
    folder.write("my scripts/shop demo.err", "SHOP DEMO.SRC 1: old\r\n");

    const ProcessResult compiled = compileFull(folder, source, base);
    EXPECT_EQ(compiled.exitCode, 0) << compiled.errors;
    EXPECT_FALSE(fs::exists(base + ".err"));
    EXPECT_TRUE(fs::exists(base + ".esc"));
    const std::string log = readWholeFile(base + ".log");
    EXPECT_NE(log.find("13 messages, 0 errors\r\n"), std::string::npos) << log;

    const ProcessResult assembled = assembleFull(folder, base);
    EXPECT_EQ(assembled.exitCode, 0) << assembled.errors;
    EXPECT_FALSE(fs::exists(base + ".err"));
    EXPECT_NE(readWholeFile(base + ".log").find("Assembling"), std::string::npos);
    const std::string bin = readWholeFile(base + ".bin");
    std::string error;
    const auto image =
        unit::UnitImage::parse(std::vector<std::uint8_t>(bin.begin(), bin.end()), error);
    ASSERT_TRUE(image) << error;
    EXPECT_EQ(image->memoryCode, 0x80);
    EXPECT_NE(image->directory[31].length, 0U);
    EXPECT_EQ(image->directory[31].task, 3);
}

TEST(Tools, SyntaxCheckListWritesBesideTheSource)
{
    TemporaryFolder folder;
    const fs::path source = folder.write("check one.src",
        withHeader("SUB 7(TASK=2)\r\n    CALL CURSOR(1,1)\r\n    PRINT\"OK\";\r\nEND SUB\r\n"));
    const std::string errorBase = (folder / "check one").string();
    const ProcessResult result = runWithList(
        folder, "src2esc", { source.string(), "/error", errorBase, "/include", toolsFolder() });
    EXPECT_EQ(result.exitCode, 0) << result.errors;
    EXPECT_TRUE(fs::exists(folder / "check one.esc"));
    EXPECT_FALSE(fs::exists(folder / "check one.err"));
    EXPECT_FALSE(fs::exists(folder / "check one.log"));
}

TEST(Tools, ErrorsGoToTheErrorFileAndNoOutputRemains)
{
    TemporaryFolder folder;
    const fs::path source = folder.write("sub.src",
        withHeader("SUB 1(TASK=0)\r\n    CALL BLNK(25,ON)\r\n    CALL CURSOR(1,30)\r\n"));
    const std::string base = (folder / "sub").string();
    folder.write("sub.esc", "stale output of an earlier run");
    const ProcessResult result = compileFull(folder, source.string(), base);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(readWholeFile(base + ".err"),
        "SUB.SRC 5: unknown procedure CALL BLNK\r\n"
        "SUB.SRC 6: CURSOR: column 30 is outside 1..20\r\n"
        "SUB.SRC 4: SUB 1 has no END SUB\r\n");
    EXPECT_FALSE(fs::exists(base + ".esc"));
    EXPECT_NE(readWholeFile(base + ".log").find("3 errors"), std::string::npos);
}

TEST(Tools, FailuresWithoutASourceLineStillLeaveAnErrorFile)
{
    TemporaryFolder folder;
    const std::string base = (folder / "gone").string();
    ProcessResult result = compileFull(folder, base + ".src", base);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(readWholeFile(base + ".err").find("GONE.SRC 0: cannot read"), std::string::npos);

    result = runWithList(folder, "src2esc", { base + ".src", "/error", base, "/verbose" });
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(readWholeFile(base + ".err").find("unknown option /verbose"), std::string::npos);

    result = runProcess({ tool("src2esc"), "@" + (folder / "no list").string() });
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.errors.find("cannot read the list file"), std::string::npos);
}

// Runs src2esc from inside `folder` on a source named without a folder part.
ProcessResult compileInFolder(const TemporaryFolder& folder, const std::string& source)
{
    return runProcess({ "/bin/sh", "-c", "cd \"$1\" && exec \"$2\" \"$3\" /include \"$4\"", "sh",
        folder.path().string(), tool("src2esc"), source, toolsFolder() });
}

TEST(Tools, SourceNamedWithoutAFolderFindsTheIncludesBesideIt)
{
    TemporaryFolder folder;
    folder.write("names.h", "#define SHOP_RELAY 1\r\n");
    folder.write("a.src",
        withHeader("#include \"names.h\"\r\nSUB 3(TASK=0)\r\n    CALL RELAY(SHOP_RELAY)\r\n"
                   "END SUB\r\n"));
    const ProcessResult result = compileInFolder(folder, "a.src");
    EXPECT_EQ(result.exitCode, 0) << result.errors << readWholeFile(folder / "a.err");
    EXPECT_TRUE(fs::exists(folder / "a.esc"));
    EXPECT_FALSE(fs::exists(folder / "a.err"));
}

// A source that includes itself ends with one error on each of its include lines, however it
// is named. The time limit of the run only keeps a regression from stalling the suite.
TEST(Tools, SelfIncludingSourceEndsWithAnErrorOnEachInclude)
{
    TemporaryFolder folder;
    std::string text;
    for (int k = 0; k < 6; ++k)
        text += "#include \"self.src\"\r\n";
    const fs::path source = folder.write("self.src", withHeader(text));
    std::string expected;
    for (int line = 4; line <= 9; ++line)
        expected += "SELF.SRC " + std::to_string(line) +
            ": include cycle: \"self.src\" is already being read\r\n";

    const std::string base = (folder / "self").string();
    ProcessResult result = runWithList(
        folder, "src2esc", { source.string(), base, "/error", base, "/include", toolsFolder() });
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.exitCode, 1) << result.errors;
    EXPECT_EQ(readWholeFile(base + ".err"), expected);

    fs::remove(base + ".err");
    result = compileInFolder(folder, "self.src");
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.exitCode, 1) << result.errors;
    EXPECT_EQ(readWholeFile(base + ".err"), expected);
}

TEST(Tools, AssemblerReportsBadEscLines)
{
    TemporaryFolder folder;
    const std::string base = (folder / "hand made").string();
    folder.write("hand made.esc",
        "ESC 1\r\nDISPLAY 5320\r\nVERSION 2\r\nMESSAGE 4 TASK 0\r\n    CURSOR 3 1\r\n"
        "    JUMP 1\r\n    TEXT \"x\r\nEND\r\nCLS\r\n");
    folder.write("hand made.bin", "stale");
    const ProcessResult result = assembleFull(folder, base);
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(readWholeFile(base + ".err"),
        "HAND MADE.ESC 5: CURSOR: row 3 is outside 1..2\r\n"
        "HAND MADE.ESC 6: unknown instruction JUMP\r\n"
        "HAND MADE.ESC 7: string without its closing quote\r\n"
        "HAND MADE.ESC 9: instruction outside a MESSAGE ... END block\r\n");
    EXPECT_FALSE(fs::exists(base + ".bin"));
}

} // namespace
