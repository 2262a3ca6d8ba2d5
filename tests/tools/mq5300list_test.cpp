#include "support/modelfixture.h"
#include "tools/tooltest.h"

#include <sstream>
#include <sys/stat.h>

using namespace marquis::testing;

namespace {

const std::string DemoFile = std::string(MARQUIS_EXAMPLES_DIR) + "/demo.src";

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

TEST(Mq5300Crc, ChecksRawBytes)
{
    const ProcessResult known = mq5300({ "crc" }, "123456789");
    EXPECT_EQ(known.exitCode, 0) << known.errors;
    EXPECT_EQ(known.output, "-873187034\n");
    // Bytes are taken as they are: no UTF-8 conversion, NUL bytes included.
    const std::string bytes("a\0\xE9\xFF\r\n", 6);
    EXPECT_EQ(mq5300({ "crc" }, bytes).output, std::to_string(expectedCheckValue(bytes)) + "\n");
    EXPECT_TRUE(failedCleanly(mq5300({ "crc", "file" }, "")));
}

TEST(Mq5300List, DemoMessagesAllHoldTheirCheckValues)
{
    const ProcessResult result = mq5300({ "list", DemoFile });
    ASSERT_EQ(result.exitCode, 0) << result.errors;
    EXPECT_EQ(result.errors, "");
    const auto lines = linesOf(result.output);
    EXPECT_EQ(lines.size(), demoMessageFiles().size());
    for (const std::string& line : lines)
        EXPECT_NE(line.find("  ok  "), std::string::npos) << line;
    EXPECT_NE(result.output.find("   0  task 0  ok"), std::string::npos);
    EXPECT_NE(result.output.find("WEAR EAR DEFENDERS / HARD HATS ON"), std::string::npos);
}

TEST(Mq5300List, HandEditedMessageShowsAsChanged)
{
    TemporaryFolder folder;
    std::string text = readBytes(DemoFile);
    const std::size_t at = text.find("HOLLOWAY");
    ASSERT_NE(at, std::string::npos);
    text[at] = 'F';
    writeBytes(folder / "edited.src", text);

    const ProcessResult result = mq5300({ "list", (folder / "edited.src").string() });
    ASSERT_EQ(result.exitCode, 0) << result.errors;
    for (const std::string& line : linesOf(result.output)) {
        const bool first = line.starts_with("   0 ");
        EXPECT_EQ(line.find("changed by hand") != std::string::npos, first) << line;
    }
    EXPECT_NE(result.output.find("FOLLOWAY HARDWARE"), std::string::npos);
}

TEST(Mq5300List, DamagedFileIsReadWithoutHarm)
{
    const ProcessResult made = mq5300({ "make" }, R"({ "MessageNumber": 8, "UnitLines": 2,
        "Lines": [ {}, { "LineText": "\\sb90\\sa90 \\f0 \\cf0 second" } ] })");
    ASSERT_EQ(made.exitCode, 0) << made.errors;
    std::string file = "#define Display_type (5320)\r\n\r\n";
    file += "SUB 4000(TASK=1)    // CRC value = 1\r\nLINE1:\r\n    PRINT\"far\";\r\nEND SUB\r\n";
    file += made.output;
    file += "SUB 9(TASK=2)    // CRC value = 7\r\nLINE1:\r\n    PRINT\"a";
    file += std::string("\0\xE9\x81", 3) + std::string(100'000, 'x') + "\";\r\nEND SUB\r\n";
    file += "SUB 10(TASK=0)\r\nLINE1:\r\n"; // cut off before its END SUB
    TemporaryFolder folder;
    writeBytes(folder / "damaged.src", file);

    const ProcessResult result = mq5300({ "list", (folder / "damaged.src").string() });
    ASSERT_EQ(result.exitCode, 0) << result.errors;
    EXPECT_NE(result.errors.find("4000"), std::string::npos);
    const auto lines = linesOf(result.output);
    ASSERT_EQ(lines.size(), 3u);
    // The unit of the header has two lines, so the second line is the last one shown.
    EXPECT_EQ(lines[0], "   8  task 0  ok                 | second");
    EXPECT_TRUE(lines[1].starts_with("   9  task 2  changed by hand")) << lines[1].substr(0, 80);
    EXPECT_TRUE(lines[2].starts_with("  10  task 0  changed by hand")) << lines[2];
}

TEST(Mq5300Check, NamesTheMessagesThatFailTheirCheck)
{
    const ProcessResult clean = mq5300({ "check", DemoFile });
    EXPECT_EQ(clean.exitCode, 0) << clean.errors;
    EXPECT_TRUE(clean.output.ends_with(" messages, 0 fail the check\n")) << clean.output;

    std::string text = readBytes(DemoFile);
    for (const char* word : { "HOLLOWAY", "SHIFT 2" })
        text.replace(text.find(word), 1, "X");
    TemporaryFolder folder;
    writeBytes(folder / "edited.src", text);
    const ProcessResult edited = mq5300({ "check", (folder / "edited.src").string() });
    EXPECT_EQ(edited.exitCode, 1) << edited.errors;
    EXPECT_NE(edited.output.find("message 0: the text does not match its check value"),
        std::string::npos);
    EXPECT_NE(edited.output.find("message 10: the text does not match its check value"),
        std::string::npos);
    EXPECT_TRUE(edited.output.ends_with(", 2 fail the check\n")) << edited.output;
    EXPECT_TRUE(failedCleanly(mq5300({ "check", (folder / "missing.src").string() })));
}

TEST(Mq5300List, MissingOrUnreadableFileIsRefused)
{
    TemporaryFolder folder;
    EXPECT_TRUE(failedCleanly(mq5300({ "list", (folder / "missing.src").string() })));
    EXPECT_TRUE(failedCleanly(mq5300({ "list", folder.path().string() })));
    EXPECT_TRUE(failedCleanly(mq5300({ "list" })));
    EXPECT_TRUE(failedCleanly(mq5300({ "list", DemoFile, DemoFile })));
}

// A file the tool did not read in full is no pass: a record it left out, or nothing at all.
TEST(Mq5300Check, WhatWasNotReadDoesNotPass)
{
    TemporaryFolder folder;
    const std::string demo = readBytes(DemoFile);
    std::string far = demo;
    far.replace(far.find("SUB 1("), 6, "SUB 1024(");
    writeBytes(folder / "far.src", far);
    const ProcessResult leftOut = mq5300({ "check", (folder / "far.src").string() });
    EXPECT_EQ(leftOut.exitCode, 1) << leftOut.errors;
    EXPECT_NE(leftOut.output.find("message 1024: numbered outside 0 to 1023, left out\n"),
        std::string::npos)
        << leftOut.output;
    EXPECT_TRUE(leftOut.output.ends_with(", 0 fail the check, 1 left out\n")) << leftOut.output;

    writeBytes(folder / "only.src", "SUB 1024(TASK=0)\r\nLINE1:\r\nEND SUB\r\n");
    const ProcessResult nothing = mq5300({ "check", (folder / "only.src").string() });
    EXPECT_EQ(nothing.exitCode, 1) << nothing.errors;
    EXPECT_TRUE(nothing.output.ends_with("0 messages, 0 fail the check, 1 left out\n"))
        << nothing.output;

    writeBytes(folder / "header.src", "#define Display_type (5360)\r\n\r\n");
    const ProcessResult empty = mq5300({ "check", (folder / "header.src").string() });
    EXPECT_EQ(empty.exitCode, 1) << empty.errors;
    EXPECT_NE(empty.errors.find("header.src holds no message"), std::string::npos);
    EXPECT_EQ(empty.errors.find("New file"), std::string::npos) << empty.errors;

    // The compiler takes a CR alone as a line end, and so does the check.
    std::string bareCr = demo;
    bareCr.replace(bareCr.find("\r\nSUB 30("), 2, "\r");
    writeBytes(folder / "cr.src", bareCr);
    const ProcessResult cr = mq5300({ "check", (folder / "cr.src").string() });
    EXPECT_EQ(cr.exitCode, 0) << cr.errors;
    const ProcessResult listed = mq5300({ "list", (folder / "cr.src").string() });
    EXPECT_EQ(listed.output, mq5300({ "list", DemoFile }).output);

    // A SUB line without "(" ends the reading: the messages after it were never checked.
    std::string cut = demo;
    cut.insert(cut.find("SUB 30("), "SUB 29\r\n");
    writeBytes(folder / "cut.src", cut);
    const ProcessResult unread = mq5300({ "check", (folder / "cut.src").string() });
    EXPECT_EQ(unread.exitCode, 1) << unread.errors;
    EXPECT_NE(unread.output.find("a SUB line without \"(\", the rest of the file was not read"),
        std::string::npos)
        << unread.output;
    EXPECT_TRUE(unread.output.ends_with(", the rest not read\n")) << unread.output;
}

// Files that are no scripts, no regular files or far too large give one line and exit 2, fast.
TEST(Mq5300Check, RefusesWhatIsNoScriptFile)
{
    TemporaryFolder folder;
    writeBytes(folder / "fake.src", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    writeBytes(folder / "bare.src", "SUB 1024\r\n");
    const std::string fifo = (folder / "pipe.src").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::filesystem::path big = folder / "big.src";
    writeBytes(big, "#define Display_type (5360)\r\n");
    std::filesystem::resize_file(big, 65 * 1024 * 1024);
    const std::pair<std::string, std::string> cases[] = {
        { (folder / "fake.src").string(), "fake.src is not a script file" },
        { (folder / "bare.src").string(), "bare.src is not a script file" },
        { "/etc/passwd", "/etc/passwd is not a script file" },
        { fifo, "not a regular file" },
        { "/dev/zero", "not a regular file" },
        { big.string(), "is larger than 64 MiB" },
    };
    for (const auto& [path, says] : cases) {
        for (const char* command : { "list", "check" }) {
            const ProcessResult result = mq5300({ command, path });
            EXPECT_TRUE(failedCleanly(result)) << command << " " << path;
            EXPECT_NE(result.errors.find(says), std::string::npos) << result.errors;
            EXPECT_EQ(result.errors.find("try again"), std::string::npos) << result.errors;
        }
    }
}

TEST(Mq5300Usage, HelpAndUnknownCommands)
{
    const ProcessResult help = mq5300({ "--help" });
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.output.find("usage: mq5300"), std::string::npos);
    const ProcessResult bare = mq5300({});
    EXPECT_EQ(bare.exitCode, 2);
    EXPECT_NE(bare.errors.find("usage: mq5300"), std::string::npos);
    EXPECT_TRUE(failedCleanly(mq5300({ "frobnicate" })));
}

// Without the check-value module no command may pretend to have a check value.
TEST(Mq5300Component, MissingModuleStopsEveryCommand)
{
    TemporaryFolder folder;
    const std::filesystem::path lonely = folder / "mq5300";
    std::filesystem::copy_file(toolPath(), lonely);
    const std::string tool = lonely.string();
    const std::string message = R"({ "Lines": [ { "LineText": "\\f0 \\cf0 x" } ] })";
    const std::string text = mq5300({ "make" }, message).output;
    const ProcessResult results[] = {
        mq5300({ "make" }, message, tool),
        mq5300({ "read", "--number", "0" }, text, tool),
        mq5300({ "crc" }, "123456789", tool),
        mq5300({ "list", DemoFile }, "", tool),
    };
    for (const ProcessResult& result : results) {
        EXPECT_TRUE(failedCleanly(result));
        EXPECT_NE(result.errors.find("TessalyLibrary"), std::string::npos) << result.errors;
    }
}

TEST(Mq5300Demo, CommittedDemoIsUpToDate)
{
    if (!onPath("bash"))
        GTEST_SKIP() << "bash is not available";
    const ProcessResult result =
        runProcess({ "bash", std::string(MARQUIS_EXAMPLES_DIR) + "/make-demo" }, {},
            { "MQ5300=" + toolPath() });
    ASSERT_EQ(result.exitCode, 0) << result.errors;
    EXPECT_TRUE(result.output == readBytes(DemoFile))
        << "examples/demo.src is out of date; run examples/make-demo examples/demo.src";
}

} // namespace
