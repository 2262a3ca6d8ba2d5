// The 5300 tool run as the editor runs it, against the simulated unit on a pseudo-terminal.

#include "scriptcode/assembler.h"
#include "scriptcode/compiler.h"
#include "support/processrunner.h"
#include "support/simulatorprocess.h"
#include "support/temporaryfolder.h"

#include <gtest/gtest.h>
#include <thread>

namespace marquis::testing {
namespace {

using namespace std::chrono_literals;

// Two messages: 1 shows a text and a variable, 2 another text.
std::string messages(const std::string& second)
{
    return "SUB 1(TASK=0)\r\n"
           "LINE1:\r\n"
           "    CALL CURSOR(1,1)\r\n"
           "    PRINT\"HELLO \";\r\n"
           "    PRINT VAR(1, 4);\r\n"
           "END SUB\r\n"
           "SUB 2(TASK=0)\r\n"
           "LINE1:\r\n"
           "    CALL CURSOR(1,1)\r\n"
           "    PRINT\"" +
        second +
        "\";\r\n"
        "END SUB\r\n";
}

std::string imageBytes(int displayType = 5360, const std::string& second = "SECOND MESSAGE")
{
    const std::string source = "#define Display_type (" + std::to_string(displayType) +
        ")\r\n#include \"ESCAPES.H\"\r\n#pragma version 2\r\n" + messages(second);
    unit::CompileOptions options;
    options.includeFolder = std::string(MARQUIS_BIN_DIR) + "/";
    unit::Diagnostics diagnostics;
    const unit::Program program = unit::compileSource(source, "test.src", options, diagnostics);
    EXPECT_TRUE(diagnostics.empty()) << diagnostics.errorFileText();
    const auto bytes = unit::assemble(program).serialize();
    return { bytes.begin(), bytes.end() };
}

struct ToolRun {
    ProcessResult process;
    std::string log;
};

class LinkToolTest : public ::testing::Test {
protected:
    TemporaryFolder folder;
    const std::string linkPath = (folder / "com1").string();
    const std::string flashFile = (folder / "flash.img").string();
    const std::string displayFile = (folder / "display.txt").string();
    std::unique_ptr<SimulatorProcess> unit;

    void startUnit(std::vector<std::string> options = {})
    {
        options.insert(
            options.end(), { "--flash", flashFile, "--display", displayFile, "--baud", "38400" });
        unit = std::make_unique<SimulatorProcess>(linkPath, options);
        ASSERT_TRUE(unit->ready()) << unit->output();
    }

    // Runs the tool with a list file of the leading lines and the settings.
    ToolRun run(const std::string& letter, const std::vector<std::string>& leading, int address = 0,
        const std::string& memory = "80", const std::string& com = "1")
    {
        std::string list;
        for (const std::string& line : leading)
            list += line + "\r\n";
        const std::string status = (folder / "status").string();
        list += "/a\r\n" + std::to_string(address) + "\r\n/b\r\n38400\r\n/c\r\n" + com +
            "\r\n/m\r\n" + memory + "\r\n/log\r\n" + status + "\r\n\r\n";
        const auto listFile = folder.write("args.lst", list);
        std::filesystem::remove(status + ".log");
        std::vector<std::string> arguments { std::string(MARQUIS_BIN_DIR) + "/5300" };
        if (!letter.empty())
            arguments.push_back(letter);
        arguments.push_back("@" + listFile.string());
        ToolRun result;
        result.process = runProcess(arguments, {}, { "MARQUIS_COM1=" + linkPath }, 60s);
        result.log = readWholeFile(status + ".log");
        return result;
    }

    std::string writeImage(const std::string& name, int displayType = 5360,
        const std::string& second = "SECOND MESSAGE")
    {
        return folder.write(name + ".bin", imageBytes(displayType, second)).string();
    }

    // Waits until the display file's first row starts with `text`; its content.
    std::string waitForDisplay(const std::string& text)
    {
        std::string shown;
        for (int i = 0; i < 60; ++i) {
            shown = readWholeFile(displayFile);
            if (shown.rfind(text, 0) == 0)
                break;
            std::this_thread::sleep_for(50ms);
        }
        return shown;
    }
};

void expectOk(const ToolRun& run)
{
    EXPECT_EQ(run.process.exitCode, 0) << run.log << run.process.errors;
    EXPECT_NE(run.log.find("Result: OK\r\n"), std::string::npos) << run.log;
}

void expectFailure(const ToolRun& run, const std::string& reason)
{
    EXPECT_NE(run.process.exitCode, 0) << run.log;
    EXPECT_NE(run.log.find(reason), std::string::npos) << run.log;
    EXPECT_NE(run.log.find("Result: FAILED\r\n"), std::string::npos) << run.log;
}

TEST_F(LinkToolTest, VersionQueryNamesFirmwareAndModel)
{
    startUnit({ "--model", "5320", "--firmware", "3.20", "--address", "17" });
    const ToolRun run = this->run("v", { (folder / "none").string() }, 17, "40");
    expectOk(run);
    EXPECT_NE(run.log.find("Version 3.20, model 5320\r\n"), std::string::npos) << run.log;
    EXPECT_NE(run.log.find("Flash: empty"), std::string::npos) << run.log;
}

TEST_F(LinkToolTest, ProgramReadBackCallUpAndReboot)
{
    startUnit({ "--program-mode", "on" });
    const std::string image = writeImage("my messages");
    const std::string base = image.substr(0, image.size() - 4);

    ToolRun run = this->run("p", { base });
    expectOk(run);
    EXPECT_NE(run.log.find("Programmed"), std::string::npos) << run.log;
    EXPECT_EQ(readWholeFile(flashFile), readWholeFile(image));

    run = this->run("v", { base });
    expectOk(run);
    EXPECT_NE(run.log.find("Version 4.05, model 5360"), std::string::npos) << run.log;
    EXPECT_NE(run.log.find("The flash holds"), std::string::npos) << run.log;

    const std::string copy = (folder / "read back").string();
    run = this->run("r", { copy });
    expectOk(run);
    EXPECT_EQ(readWholeFile(copy + ".bin"), readWholeFile(image));

    run = this->run("c", { "1", "42" });
    expectOk(run);
    EXPECT_NE(run.log.find("Message 1 called up with the variables \"42\"."), std::string::npos)
        << run.log;
    const std::string shown = waitForDisplay("HELLO");
    EXPECT_EQ(shown.rfind("HELLO", 0), 0u) << shown;
    EXPECT_NE(shown.find("42"), std::string::npos) << shown;
    EXPECT_NE(shown.find("relay off\r\n"), std::string::npos) << shown;

    expectFailure(this->run("c", { "5" }), "Message 5 is not in the unit.");
    expectFailure(this->run("c", { "1024" }), "not a number from 0 to 1023");

    run = this->run("", { "b" });
    expectOk(run);
    EXPECT_NE(run.log.find("Unit 0 is restarting."), std::string::npos) << run.log;
    EXPECT_EQ(readWholeFile(flashFile), readWholeFile(image)); // a restart keeps the flash
}

TEST_F(LinkToolTest, VerifyAndProgramTellTwoImagesOfTheSameSizeApart)
{
    const std::string welcome = writeImage("welcome", 5360, "WELCOME");
    const std::string goodbye = writeImage("goodbye", 5360, "GOODBYE");
    ASSERT_EQ(readWholeFile(welcome).size(), readWholeFile(goodbye).size());
    ASSERT_NE(readWholeFile(welcome), readWholeFile(goodbye));
    const auto base = [](const std::string& image) { return image.substr(0, image.size() - 4); };
    const auto holds = [](const ToolRun& run, const std::string& image) {
        return run.log.find("The flash holds " + image + ".") != std::string::npos;
    };
    const auto holdsNot = [](const ToolRun& run, const std::string& image) {
        return run.log.find("The flash does not hold " + image + ".") != std::string::npos;
    };
    startUnit({ "--program-mode", "on" });

    expectOk(this->run("p", { base(welcome) }));
    ToolRun run = this->run("v", { base(goodbye) });
    expectOk(run);
    EXPECT_TRUE(holdsNot(run, goodbye)) << run.log;
    run = this->run("v", { base(welcome) });
    EXPECT_TRUE(holds(run, welcome)) << run.log;

    // Programming the other image over it reports success, and that image is then there.
    run = this->run("p", { base(goodbye) });
    expectOk(run);
    EXPECT_EQ(readWholeFile(flashFile), readWholeFile(goodbye));
    run = this->run("v", { base(goodbye) });
    EXPECT_TRUE(holds(run, goodbye)) << run.log;
    run = this->run("v", { base(welcome) });
    EXPECT_TRUE(holdsNot(run, welcome)) << run.log;
    const std::string copy = (folder / "copy").string();
    expectOk(this->run("r", { copy }));
    EXPECT_EQ(readWholeFile(copy + ".bin"), readWholeFile(goodbye));
}

TEST_F(LinkToolTest, SendMessageShowsItWithoutProgramming)
{
    startUnit();
    const std::string image = writeImage("one");
    const ToolRun run = this->run("m", { image, "2" });
    expectOk(run);
    EXPECT_NE(run.log.find("the flash was not changed"), std::string::npos) << run.log;
    const std::string shown = waitForDisplay("SECOND MESSAGE");
    EXPECT_EQ(shown.rfind("SECOND MESSAGE", 0), 0u) << shown;
    EXPECT_EQ(readWholeFile(flashFile), "");

    expectFailure(this->run("m", { image, "7" }), "Message 7 is not in");
    folder.write("broken.bin", "not an image");
    expectFailure(
        this->run("m", { (folder / "broken.bin").string(), "1" }), "not a valid unit image");
}

TEST_F(LinkToolTest, EraseAndProgramNeedProgramMode)
{
    const std::string image = writeImage("img");
    const std::string base = image.substr(0, image.size() - 4);
    folder.write("flash.img", readWholeFile(image));
    {
        startUnit();
        expectFailure(this->run("e", {}), "The unit is not in program mode");
        expectFailure(this->run("p", { base }), "The unit is not in program mode");
        EXPECT_EQ(readWholeFile(flashFile), readWholeFile(image));
        unit.reset();
    }
    startUnit({ "--program-mode", "on" });
    const ToolRun run = this->run("e", {});
    expectOk(run);
    EXPECT_NE(run.log.find("Flash erased."), std::string::npos) << run.log;
    EXPECT_EQ(readWholeFile(flashFile), "");
    expectFailure(this->run("r", { (folder / "copy").string() }), "flash is empty");
    EXPECT_FALSE(std::filesystem::exists(folder / "copy.bin"));
}

TEST_F(LinkToolTest, ImagesThatCannotBeProgrammedAreRefusedBeforeAnythingChanges)
{
    startUnit({ "--program-mode", "on" });
    expectFailure(this->run("p", { (folder / "missing").string() }), "Cannot read");
    folder.write("junk.bin", std::string(3000, 'x'));
    expectFailure(this->run("p", { (folder / "junk").string() }), "is not a valid unit image");
    const std::string small = writeImage("small", 5320);
    expectFailure(
        this->run("p", { small.substr(0, small.size() - 4) }), "is made for a model 5320");
    EXPECT_FALSE(std::filesystem::exists(flashFile));
}

TEST_F(LinkToolTest, NoUnitAnsweringIsReportedClearly)
{
    startUnit({ "--address", "3" });
    expectFailure(this->run("v", { "x" }, 4), "No answer from unit 4");

    // A COM port whose device cannot be opened (on most machines it is not there at all).
    ToolRun run = this->run("e", {}, 3, "80", "2");
    expectFailure(run, "COM 2");
    expectFailure(run, "/dev/ttyS1");

    // The unit went away: its link is gone, and the user is asked about the adapter.
    unit.reset();
    run = this->run("c", { "1" }, 3);
    expectFailure(run, "COM 1 is mapped to ");
    expectFailure(run, ", which is not there: is the adapter plugged in?");
}

TEST_F(LinkToolTest, ANoisyLineNeverEndsInSuccessWithAWrongImage)
{
    const std::string image = writeImage("noisy");
    const std::string base = image.substr(0, image.size() - 4);
    for (const char* seed : { "7" }) {
        SCOPED_TRACE(seed);
        startUnit({ "--program-mode", "on", "--corrupt", "0.01", "--seed", seed });
        const ToolRun run = this->run("p", { base });
        if (run.process.exitCode == 0) {
            expectOk(run);
            EXPECT_EQ(readWholeFile(flashFile), readWholeFile(image));
        } else {
            EXPECT_NE(run.log.find("Result: FAILED\r\n"), std::string::npos) << run.log;
        }
        unit.reset();
    }
}

TEST_F(LinkToolTest, ALinkLeftByAKilledUnitIsTakenOverButALiveOneIsNot)
{
    startUnit();
    // A second unit on the same path would take the line away from the first one.
    {
        SimulatorProcess second(linkPath, { "--address", "9" });
        EXPECT_FALSE(second.ready()) << second.output();
    }
    expectOk(this->run("v", { "x" }));

    // Killed, the unit cannot remove its link; the next one takes it over.
    EXPECT_EQ(unit->stop(SIGKILL), -1);
    EXPECT_TRUE(std::filesystem::is_symlink(linkPath));
    startUnit();
    expectOk(this->run("v", { "x" }));

    // Stopped by a signal it handles, it removes its link.
    unit->stop(SIGINT);
    EXPECT_FALSE(std::filesystem::is_symlink(linkPath));
}

TEST_F(LinkToolTest, AWrongListIsReportedInTheLogAndOnStderr)
{
    const std::string status = (folder / "status").string();
    const auto list = folder.write("bad.lst",
        "x\r\n/a\r\n300\r\n/b\r\n38400\r\n/c\r\n1\r\n/m\r\n80\r\n/log\r\n" + status + "\r\n\r\n");
    const auto result = runProcess(
        { std::string(MARQUIS_BIN_DIR) + "/5300", "v", "@" + list.string() }, {}, {}, 20s);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_NE(result.errors.find("unit address \"300\""), std::string::npos) << result.errors;
    EXPECT_NE(readWholeFile(status + ".log").find("unit address \"300\""), std::string::npos);

    const auto shortList = folder.write("short.lst", "/b\r\n9600\r\n");
    const auto shortResult = runProcess(
        { std::string(MARQUIS_BIN_DIR) + "/5300", "e", "@" + shortList.string() }, {}, {}, 20s);
    EXPECT_EQ(shortResult.exitCode, 2);
    EXPECT_NE(shortResult.errors.find("at least 10 are needed"), std::string::npos)
        << shortResult.errors;
}

} // namespace
} // namespace marquis::testing
