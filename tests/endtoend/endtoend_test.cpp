#include "build/compilejob.h"
#include "build/readflash.h"
#include "build/resultwindow.h"
#include "build/unitcommands.h"
#include "platform/posixprocesses.h"
#include "support/displayrows.h"
#include "support/sessionfixture.h"
#include "support/simulatorprocess.h"
#include "support/unitonline.h"
#include "ui/dialogs/blink.h"
#include "ui/dialogs/horizontalscroll.h"
#include "ui/dialogs/longmessage.h"
#include "ui/dialogs/sendmessage.h"
#include "ui/dialogs/variables.h"
#include "ui/dialogs/verticalscroll.h"
#include "ui/dialogs/startmessage.h"

#include <chrono>
#include <cstdlib>

using namespace marquis;
using namespace marquis::testing;

namespace {

// Messages made with the editor's model are saved, compiled and assembled by the real tools,
// programmed over a pseudo-terminal into the simulated unit, and called up: the unit's display
// must show them.
class EndToEndTest : public SessionTest {
protected:
    void SetUp() override
    {
        link = (unitFolder / "com1").string();
        display = (unitFolder / "display.txt").string();
        simulator =
            std::make_unique<SimulatorProcess>(link, simulatedUnitOptions(unitFolder.path(), display));
        ASSERT_TRUE(simulator->ready()) << simulator->output();
        reachUnitAsCom1(session->preferences(), link);
        session->preferences().UnitType = "5360";
    }
    void TearDown() override { forgetCom1(); }

    // Compiles the saved file and programs the unit, as Program > Compile... and its Program
    // button do.
    void compileAndProgram() { marquis::testing::compileAndProgram(*session, tools, processes); }

    // Calls a message up on the unit, with the values of its variables when given.
    bool callUp(const std::vector<std::string>& arguments)
    {
        return UnitCommands(*session, tools).runCommand("c", arguments, "MQSCALL", "Calling up");
    }

    std::vector<std::string> rowsShowing(int row, const std::string& expected)
    {
        return displayRowsShowing(display, row, expected);
    }

    TemporaryFolder unitFolder;
    std::string link;
    std::string display;
    std::unique_ptr<SimulatorProcess> simulator;
    PosixProcesses processes;
    ToolRunner tools { processes, files, ui, std::string(MARQUIS_BIN_DIR) + "/" };
};

TEST_F(EndToEndTest, MessagesFromTheEditorShowOnTheUnit)
{
    session->FileNew();
    CurrentMessage& message = session->message();
    message.line(1).LineText = "\\sb90\\sa90 \\qc \\f0 \\cf0 WELCOME";
    message.line(2).LineText = "\\sb90\\sa90 \\f0 \\cf0 OVEN \\f33 \\cf4 ####\\f0 \\cf0  C";
    message.line(3).LineText = "\\sb90\\sa90 \\f0 \\cf0 RATE \\f2 \\cf4 ##.#";
    ASSERT_TRUE(session->goToMessage(7));
    message.line(1).LineText = "\\sb90\\sa90 \\f0 \\cf0 SECOND MESSAGE";
    ui.files = { workFolder / "plant.src" };
    ASSERT_TRUE(session->SaveAs());

    ResultText view;
    ResultWindow compile(*session, tools, processes, view, true);
    ASSERT_TRUE(compile.open());
    ASSERT_FALSE(compile.LastCompileFailed) << view.text;
    EXPECT_EQ(view.mainCaption, "&Program");
    compile.mainButton();  // the version check passes (version 2 unit, version 2 file)
    EXPECT_NE(view.text.find("Result: OK"), std::string::npos) << view.text;
    EXPECT_TRUE(ui.messages.empty()) << ui.messageTexts().front();

    UnitCommands commands(*session, tools);
    ASSERT_TRUE(commands.runCommand("c", { "0", "73 4.5" }, "MQSCALL", "Calling up"));
    EXPECT_NE(ui.messageTexts().back().find("Message 0 called up"), std::string::npos)
        << ui.messageTexts().back();
    const std::vector<std::string> rows = rowsShowing(1, "      WELCOME       ");
    ASSERT_GE(rows.size(), 3u);
    EXPECT_EQ(rows[0], "      WELCOME       ");
    EXPECT_EQ(rows[1], "OVEN 0073 C         ");
    EXPECT_EQ(rows[2], "RATE  4.5           ");

    ASSERT_TRUE(commands.runCommand("c", { "7" }, "MQSCALL", "Calling up"));
    EXPECT_EQ(rowsShowing(1, "SECOND MESSAGE      ")[0], "SECOND MESSAGE      ");
}

// Text made blinking in the Blink dialog blinks on the unit: the row shows the whole line in
// one phase and blanks in place of the blinking word in the other.
TEST_F(EndToEndTest, TextMadeBlinkingInTheBlinkDialogBlinksOnTheUnit)
{
    session->FileNew();
    CurrentMessage& message = session->message();
    message.line(2).LineText = "\\sb90\\sa90 \\f0 \\cf0 ALARM HIGH";
    message.CurrentLine = 2;
    BlinkDialog dialog(message);
    dialog.activate();
    dialog.chooseOn();
    dialog.moveSlider(3);
    dialog.select({ 6, 10 }, 0);
    dialog.sectionOn();
    dialog.ok();
    ASSERT_EQ(message.line(2).LineBlink, "40,1");
    ui.files = { workFolder / "blink.src" };
    ASSERT_TRUE(session->SaveAs());

    ASSERT_NO_FATAL_FAILURE(compileAndProgram());
    ASSERT_TRUE(callUp({ "0" }));
    EXPECT_EQ(rowsShowing(2, "ALARM HIGH          ").at(1), "ALARM HIGH          ");
    EXPECT_EQ(rowsShowing(2, "ALARM               ").at(1), "ALARM               ");
    EXPECT_EQ(rowsShowing(2, "ALARM HIGH          ").at(1), "ALARM HIGH          ");
}

// A line made to scroll continuously in the horizontal scroll dialog runs across its row on
// the unit, one character a step; a long line made block by block shows its 20-character
// blocks one after the other.
TEST_F(EndToEndTest, LinesMadeToScrollInTheHorizontalScrollDialogScrollOnTheUnit)
{
    session->FileNew();
    CurrentMessage& message = session->message();
    message.line(1).LineText = "\\sb90\\sa90 \\f0 \\cf0 ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    message.CurrentLine = 1;
    {
        HorizontalScrollDialog dialog(message, ui);
        dialog.chooseContinuous();
        dialog.moveSlider(5);
        ASSERT_EQ(dialog.ok(), ScrollOkResult::Done);
    }
    ASSERT_EQ(message.line(1).LineScroll, "18,0");

    ASSERT_TRUE(session->goToMessage(1));
    message.line(2).LineText =
        "\\sb90\\sa90 \\f0 \\cf0 ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ABCDEFGHI";
    message.line(2).LineScroll = "25,0";
    message.CurrentLine = 2;
    {
        HorizontalScrollDialog dialog(message, ui);
        dialog.chooseBlocks();
        dialog.moveSlider(4);
        ASSERT_EQ(dialog.ok(), ScrollOkResult::Done);
    }
    ASSERT_EQ(message.line(2).LineBlock, "0,0");
    ASSERT_EQ(message.BlockWait, "10");
    ui.files = { workFolder / "scroll.src" };
    ASSERT_TRUE(session->SaveAs());

    ASSERT_NO_FATAL_FAILURE(compileAndProgram());
    ASSERT_TRUE(callUp({ "0" }));
    EXPECT_EQ(rowsShowing(1, "ABCDEFGHIJKLMNOPQRST").at(0), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(rowsShowing(1, "BCDEFGHIJKLMNOPQRSTU").at(0), "BCDEFGHIJKLMNOPQRSTU");
    EXPECT_EQ(rowsShowing(1, "GHIJKLMNOPQRSTUVWXYZ").at(0), "GHIJKLMNOPQRSTUVWXYZ");

    ASSERT_TRUE(callUp({ "1" }));
    EXPECT_EQ(rowsShowing(2, "ABCDEFGHIJKLMNOPQRST").at(1), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(rowsShowing(2, "UVWXYZ0123456789ABCD").at(1), "UVWXYZ0123456789ABCD");
    EXPECT_EQ(rowsShowing(2, "EFGHI               ").at(1), "EFGHI               ");
    EXPECT_EQ(rowsShowing(2, "ABCDEFGHIJKLMNOPQRST").at(1), "ABCDEFGHIJKLMNOPQRST")
        << "the blocks play again until the next message";
}

// A full fixed line whose 21st character opened the long-message chooser: the user chose the
// continuous form, confirmed its scroll dialog, and typed on. The unit scrolls the whole line.
TEST_F(EndToEndTest, ALineTypedPastTwentyCharactersScrollsOnTheUnitInTheChosenForm)
{
    session->FileNew();
    CurrentMessage& message = session->message();
    const std::string lead = "\\sb90\\sa90 \\f0 \\cf0 ";
    message.line(1).LineText = lead + "ABCDEFGHIJKLMNOPQRST";
    message.CurrentLine = 1;
    const auto confirmContinuous = [&] {
        HorizontalScrollDialog dialog(message, ui);
        dialog.chooseContinuous();
        dialog.moveSlider(5);
        return dialog.ok() == ScrollOkResult::Done;
    };
    LongMessageChooser chooser(message, ui, ScrollDialogs { confirmContinuous, {} });
    chooser.activate();
    ASSERT_EQ(chooser.kind(), LongMessageCase::TwentyFirstCharacter);
    ASSERT_EQ(chooser.optionText(1), longmessagedialog::Continuous);
    chooser.choose(1);
    ASSERT_TRUE(chooser.ok());
    ASSERT_EQ(message.line(1).LineScroll, "18,0");
    // The typed characters go on at the end of the one long row.
    message.line(1).LineText += "UVWXYZ";
    ui.files = { workFolder / "typedon.src" };
    ASSERT_TRUE(session->SaveAs());

    ASSERT_NO_FATAL_FAILURE(compileAndProgram());
    ASSERT_TRUE(callUp({ "0" }));
    EXPECT_EQ(rowsShowing(1, "ABCDEFGHIJKLMNOPQRST").at(0), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(rowsShowing(1, "GHIJKLMNOPQRSTUVWXYZ").at(0), "GHIJKLMNOPQRSTUVWXYZ");
}

// A message that starts two others through the start-message dialog, one on another task at
// its beginning and one on its own task at its end: calling it up shows all three.
TEST_F(EndToEndTest, MessagesStartedByAnotherShowOnTheUnit)
{
    session->FileNew();
    CurrentMessage& message = session->message();
    message.line(1).LineText = "\\sb90\\sa90 \\f0 \\cf0 CALLER";
    StartMessageDialog dialog(message, ui);
    dialog.optOnClick();
    dialog.txtStartChange(1, "9");
    dialog.placeClick(1, StartPlace::Top);
    dialog.txtStartChange(2, "012");
    dialog.placeClick(2, StartPlace::End);
    ASSERT_TRUE(dialog.cmdOkClick());
    ASSERT_TRUE(session->goToMessage(9));
    message.setTask(1);
    message.line(2).LineText = "\\sb90\\sa90 \\f0 \\cf0 OTHER TASK";
    ASSERT_TRUE(session->goToMessage(12));
    message.line(3).LineText = "\\sb90\\sa90 \\f0 \\cf0 SAME TASK AFTER";
    ui.files = { workFolder / "starts.src" };
    ASSERT_TRUE(session->SaveAs());

    ASSERT_NO_FATAL_FAILURE(compileAndProgram());
    ASSERT_TRUE(callUp({ "0" }));
    const std::vector<std::string> rows = rowsShowing(3, "SAME TASK AFTER     ");
    ASSERT_GE(rows.size(), 3u);
    EXPECT_EQ(rows[0], "CALLER              ");
    EXPECT_EQ(rows[1], "OTHER TASK          ");
    EXPECT_EQ(rows[2], "SAME TASK AFTER     ");
}

// A send text made in the Send dialog goes out of the unit's serial port when the message is
// called up, each control character as its code (FS, whose escape holds a backslash, too).
TEST_F(EndToEndTest, SendTextLeavesTheUnitsSerialPort)
{
    simulator.reset();
    const std::string serialOut = (unitFolder / "serial.out").string();
    simulator = std::make_unique<SimulatorProcess>(link,
        std::vector<std::string> { "--model", "5360", "--program-mode", "on", "--baud", "38400",
            "--display", display, "--serial-out", serialOut });
    ASSERT_TRUE(simulator->ready()) << simulator->output();
    session->FileNew();
    CurrentMessage& message = session->message();
    message.line(1).LineText = "\\sb90\\sa90 \\f0 \\cf0 SENDING";
    SendMessageDialog dialog(message, session->preferences(), ui);
    dialog.choose(SendChoice::UserText);
    dialog.edited({ "Hi<CR><LF><fs>", 0, 0 });
    ASSERT_EQ(dialog.ok(), std::optional<std::string>("Sen&d msg ON..."));
    const std::filesystem::path script = workFolder / "send.src";
    ui.files = { script };
    ASSERT_TRUE(session->SaveAs());
    EXPECT_NE(readWholeFile(script).find("    PRINT\"Hi#M#J#\\\\\";\r\n"), std::string::npos)
        << readWholeFile(script);

    ASSERT_NO_FATAL_FAILURE(compileAndProgram());
    ASSERT_TRUE(callUp({ "0" }));
    EXPECT_EQ(rowsShowing(1, "SENDING             ")[0], "SENDING             ");
    // The unit ends what it sent with CR LF when the output goes back to the display.
    EXPECT_EQ(fileHoldingAtLeast(serialOut, 7), std::string("Hi\r\n\x1c") + "\r\n");
}

// Variables assigned in the Variables dialog are filled in by the unit at call up, each in its
// own width, decimals and fill.
TEST_F(EndToEndTest, VariablesFromTheDialogShowTheirValuesOnTheUnit)
{
    session->FileNew();
    CurrentMessage& message = session->message();
    const std::string p = message.PlaceholderChar;
    const auto assignIn = [&](int line, const std::string& text, int variable, EditorSpan field,
                              bool zeroFill) {
        message.CurrentLine = static_cast<std::int16_t>(line);
        message.line(line).LineText = "\\sb90\\sa90 \\f0 \\cf0 " + text;
        VariablesDialog dialog(message, ui);
        dialog.activate();
        dialog.setVariablesOn(true);
        dialog.selectVariable(variable);
        ASSERT_EQ(dialog.assign(variable, field), Assignment::Assigned);
        dialog.setFill(zeroFill); // every occurrence of the variable follows
        dialog.ok();
    };
    assignIn(1, "TEMP " + p + p + p + "." + p + " C", 3, { 5, 10 }, true);
    assignIn(2, "COUNT " + p + p + p + p, 1, { 6, 10 }, false);
    assignIn(3, "ZONE " + p + p + p, 2, { 5, 8 }, true);
    ui.files = { workFolder / "variables.src" };
    ASSERT_TRUE(session->SaveAs());

    ASSERT_NO_FATAL_FAILURE(compileAndProgram());
    ASSERT_TRUE(callUp({ "0", "7 3 21.46" }));
    const std::vector<std::string> rows = rowsShowing(1, "TEMP 021.5 C        ");
    ASSERT_GE(rows.size(), 3u);
    EXPECT_EQ(rows[0], "TEMP 021.5 C        ");
    EXPECT_EQ(rows[1], "COUNT    7          ");
    EXPECT_EQ(rows[2], "ZONE 003            ");
}

// Three lines made one vertically scrolled message in the Vertical scroll dialog: on the unit
// the blocks come in at the bottom row and move up, one after the other.
TEST_F(EndToEndTest, AMessageScrolledVerticallyMovesUpTheUnitsRows)
{
    session->FileNew();
    CurrentMessage& message = session->message();
    message.line(1).LineText = "\\sb90\\sa90 \\f0 \\cf0 FIRST BLOCK";
    message.line(2).LineText = "\\sb90\\sa90 \\f0 \\cf0 SECOND BLOCK";
    message.line(3).LineText = "\\sb90\\sa90 \\f0 \\cf0 THIRD BLOCK";
    VerticalScrollDialog dialog(message, ui);
    dialog.chooseOn();
    dialog.moveSlider(5);
    ASSERT_EQ(dialog.ok(), VerticalOk::Done);
    ASSERT_TRUE(message.VerticalScrollOn);
    ui.files = { workFolder / "vertical.src" };
    ASSERT_TRUE(session->SaveAs());

    ASSERT_NO_FATAL_FAILURE(compileAndProgram());
    ASSERT_TRUE(callUp({ "0" }));
    const std::string first = "FIRST BLOCK         ";
    const std::string second = "SECOND BLOCK        ";
    const std::string third = "THIRD BLOCK         ";
    const std::vector<std::string> one = rowsShowing(4, first);
    ASSERT_GE(one.size(), 4u);
    EXPECT_EQ(one[3], first);
    const std::vector<std::string> two = rowsShowing(4, second);
    ASSERT_GE(two.size(), 4u);
    EXPECT_EQ(two[2], first);
    EXPECT_EQ(two[3], second);
    const std::vector<std::string> three = rowsShowing(4, third);
    ASSERT_GE(three.size(), 4u);
    EXPECT_EQ(three[1], first);
    EXPECT_EQ(three[2], second);
    EXPECT_EQ(three[3], third);
}

TEST_F(EndToEndTest, WrongVersionIsCaughtBeforeProgramming)
{
    simulator.reset();
    simulator = std::make_unique<SimulatorProcess>(link,
        std::vector<std::string> { "--firmware", "3.20", "--program-mode", "on", "--baud",
            "38400" });
    ASSERT_TRUE(simulator->ready()) << simulator->output();
    session->FileNew();
    session->message().line(1).LineText = "\\sb90\\sa90 \\f0 \\cf0 VERSION TWO";
    ui.files = { workFolder / "v2.src" };
    ASSERT_TRUE(session->SaveAs());
    ResultText view;
    ResultWindow compile(*session, tools, processes, view, true);
    ASSERT_TRUE(compile.open());
    ASSERT_FALSE(compile.LastCompileFailed) << view.text;
    ui.answers = { Answer::Ok };
    compile.mainButton();
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages.back().text,
        "This is a Version 1 5300 Series Display, firmware release 3.20. You have to change "
        "Version setting in Program Menu, save and recompile.");
    EXPECT_TRUE(view.closed);
}

// A compile cancelled in the result window leaves nothing behind that cuts a later command
// short: the demo image, programmed through the Read / Program Flash dialog at 19200 baud (far
// longer than the grace time a cancelled tool gets), is programmed whole.
TEST_F(EndToEndTest, CancelledCompileDoesNotCutProgrammingShort)
{
    simulator.reset();
    const std::string flash = (unitFolder / "flash.img").string();
    simulator = std::make_unique<SimulatorProcess>(link,
        std::vector<std::string> { "--model", "5360", "--flash", flash, "--program-mode", "on",
            "--baud", "19200" });
    ASSERT_TRUE(simulator->ready()) << simulator->output();
    session->preferences().BaudRate = "19200";
    const std::string demo = readWholeFile(std::string(MARQUIS_BIN_DIR) + "/demo.src");
    ASSERT_FALSE(demo.empty());
    const std::string image = workFolder.write("demo.src", demo).string();
    CompileJob build(tools, files, ui, session->preferences());
    ASSERT_FALSE(build.CompileFile(image, image, nullptr)) << ui.messageTexts().front();
    const std::string binary = workFolder.folder() + "demo.bin";
    const std::string bytes = readWholeFile(binary);
    ASSERT_FALSE(bytes.empty());

    ui.files = { workFolder.write("other.src", demo) };
    ResultText view;
    ResultWindow compile(*session, tools, processes, view, true);
    ui.onPump = [&] {
        if (!view.closed)
            compile.closeButton();
    };
    compile.open();
    ui.onPump = nullptr;
    ASSERT_TRUE(view.closed);
    EXPECT_FALSE(files.exists(workFolder.folder() + "other.bin"));

    ReadFlashDialog dialog(*session, tools);
    std::string status;
    dialog.onStatus = [&](const std::string& text) { status = text; };
    ui.files = { binary };
    const auto start = std::chrono::steady_clock::now();
    dialog.programFlash();
    EXPECT_EQ(status, "Unit has been successfully programmed.")
        << (ui.messages.empty() ? "" : ui.messageTexts().back());
    EXPECT_GT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5))
        << "the image is too small to show the fault";
    EXPECT_TRUE(readWholeFile(flash) == bytes) << "the flash does not hold the image";
}

}  // namespace
