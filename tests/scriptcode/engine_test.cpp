#include "scriptcode/textfile.h"
#include "scripttest.h"

using namespace marquis;
using namespace marquis::testing;

namespace {

using Rows = std::vector<std::string>;

std::string row(std::string_view text)
{
    std::string padded(text);
    padded.resize(20, ' ');
    return padded;
}

TEST(DisplayUnit, CursorAndPrintPlaceTextOnItsRows)
{
    unit::DisplayUnit display(2);
    loadUnit(display,
        "SUB 5(TASK=1)\r\n"
        "    CALL CURSOR(1,1)\r\n    PRINT\"Hello \";\r\n    PRINT\"WORLD\";\r\n"
        "    CALL CURSOR(2,15)\r\n    PRINT\"abcdefghij\";\r\n" // cut at the right edge
        "END SUB\r\n",
        2);
    EXPECT_EQ(display.rows(), (Rows { row(""), row("") })) << "nothing runs before a call up";
    EXPECT_TRUE(display.callUp(5));
    EXPECT_EQ(display.rows(), (Rows { row("Hello WORLD"), row("              abcdef") }));
    EXPECT_FALSE(display.callUp(6));
    EXPECT_FALSE(display.callUp(-1));
    EXPECT_FALSE(display.callUp(4096));
}

TEST(DisplayUnit, DemoMessagesShowAsWritten)
{
    unit::Diagnostics diagnostics;
    const std::string demo =
        unit::readFile(std::string(MARQUIS_EXAMPLES_DIR) + "/demo.src").value_or("");
    const unit::Program program = compile(demo, diagnostics);
    ASSERT_TRUE(diagnostics.empty()) << listed(diagnostics);
    unit::DisplayUnit display(4);
    display.load(unit::assemble(program));

    // Message 3: centred lines, a zero-filled variable, erase to the end of each line.
    display.callUp(3, "0 0 0 0 5");
    EXPECT_EQ(display.rows(),
        (Rows {
            row("    PLEASE NOTE"), row(" CLOSING IN 05 MIN"), row("     THANK YOU"), row("") }));
    // Message 11 on task 1 writes over the same display: decimals, blank and zero filled.
    display.callUp(11, "0,0,182.36,7,0,19.5");
    EXPECT_EQ(display.rows(),
        (Rows { row(" OVEN TEMPERATURES"), row("OVEN 1  182.4 C"), row("OVEN 2    7.0 C"),
            row("HALL    19.5 C") }));
}

// The README calls up message 11 of the demo with a variable string; every value field of the
// message must show a value from it.
TEST(DisplayUnit, ReadmeCallUpFillsEveryFieldOfItsMessage)
{
    const std::string readme =
        unit::readFile(std::string(MARQUIS_EXAMPLES_DIR) + "/../README.md").value_or("");
    const std::string command = "mq5300 callup 11 \"";
    const std::size_t begin = readme.find(command);
    ASSERT_NE(begin, std::string::npos);
    const std::size_t first = begin + command.size();
    const std::string variables = readme.substr(first, readme.find('"', first) - first);

    unit::Diagnostics diagnostics;
    const unit::Program program = compile(
        unit::readFile(std::string(MARQUIS_EXAMPLES_DIR) + "/demo.src").value_or(""), diagnostics);
    ASSERT_TRUE(diagnostics.empty()) << listed(diagnostics);
    unit::DisplayUnit display(4);
    display.load(unit::assemble(program));
    ASSERT_TRUE(display.callUp(11, variables));
    const Rows rows = display.rows();
    for (std::size_t r = 1; r < rows.size(); ++r) {
        // "OVEN 1  215.5 C": the field lies between column 8 and the unit's letter.
        const std::string field = rows[r].substr(8, rows[r].find(" C", 8) - 8);
        EXPECT_NE(field.find_first_not_of(' '), std::string::npos)
            << "\"" << variables << "\" leaves row " << r + 1 << " blank: " << rows[r];
    }
}

TEST(DisplayUnit, BlinkingTextBlanksInItsOffPhase)
{
    unit::DisplayUnit display(2);
    loadUnit(display,
        "SUB 0(TASK=0)\r\n    CALL CURSOR(1,1)\r\n    PRINT\"Hi \";\r\n"
        "    CALL BLINK(25,ON)\r\n    PRINT\"NOW\";\r\n    CALL BLINK(-1)\r\n"
        "    PRINT\"!\";\r\nEND SUB\r\n",
        2);
    display.callUp(0);
    EXPECT_EQ(display.rows()[0], row("Hi NOW!"));
    display.advance(249);
    EXPECT_EQ(display.rows()[0], row("Hi NOW!"));
    display.advance(1); // 250 ms: the off phase
    EXPECT_EQ(display.rows()[0], row("Hi    !"));
    display.advance(250);
    EXPECT_EQ(display.rows()[0], row("Hi NOW!"));
}

TEST(DisplayUnit, ContinuousScrollMovesAndEndsAfterItsPasses)
{
    unit::DisplayUnit display(2);
    loadUnit(display,
        "SUB 0(TASK=0)\r\n    CALL CURSOR(2,1)\r\n    CALL SCROLL(10,2)\r\n"
        "    PRINT\"ABC\";\r\n    EOT\r\n    CALL CURSOR(1,1)\r\n    PRINT\"done\";\r\nEND SUB\r\n",
        2);
    display.callUp(0);
    // One step a 100 ms: the text enters at the right and leaves at the left; a pass is
    // 3 + 20 steps.
    EXPECT_EQ(display.rows()[1], row("                   A"));
    display.advance(100);
    EXPECT_EQ(display.rows()[1], row("                  AB"));
    display.advance(1700);
    EXPECT_EQ(display.rows()[1], row(" ABC"));
    display.advance(400);
    EXPECT_EQ(display.rows()[1], row("")); // 2200 ms: step 22, the text has left
    display.advance(100);
    EXPECT_EQ(display.rows()[1], row("                   A")) << "second pass";
    EXPECT_EQ(display.rows()[0], row(""));
    display.advance(2300); // 4600 ms: both passes done, the message goes on
    EXPECT_EQ(display.rows(), (Rows { row("done"), row("") }));
}

TEST(DisplayUnit, BlockRepeatWaitsBetweenBlocksAndStops)
{
    unit::DisplayUnit display(2);
    loadUnit(display,
        "SUB 0(TASK=0)\r\n    CALL DROP_MARKER(0)\r\n"
        "    CALL CURSOR(1,1)\r\n    PRINT\"FIRST\";\r\n    CALL ERASE_TO_EOL(-1,-1)\r\n"
        "    CALL WAIT(10)\r\n"
        "    CALL CURSOR(1,1)\r\n    PRINT\"SECOND\";\r\n    CALL ERASE_TO_EOL(-1,-1)\r\n"
        "    CALL WAIT(10)\r\n    CALL GOTO_MARKER(0,2)\r\n    CALL RELAY(ON)\r\nEND SUB\r\n",
        2);
    display.callUp(0);
    const std::string first = row("FIRST");
    const std::string second = row("SECOND");
    EXPECT_EQ(display.rows()[0], first);
    display.advance(999);
    EXPECT_EQ(display.rows()[0], first);
    display.advance(1);
    EXPECT_EQ(display.rows()[0], second);
    display.advance(1000);
    EXPECT_EQ(display.rows()[0], first) << "second pass";
    EXPECT_FALSE(display.relayOn());
    display.advance(2000);
    EXPECT_EQ(display.rows()[0], second) << "two passes, then on";
    EXPECT_TRUE(display.relayOn());
}

// Two block-played lines: the second drops marker 0 again, so its repeat goes back to its own
// blocks with a fresh count.
TEST(DisplayUnit, MarkerDroppedAgainStartsANewSection)
{
    unit::DisplayUnit display(2);
    loadUnit(display,
        "SUB 0(TASK=0)\r\n    CALL DROP_MARKER(0)\r\n"
        "    CALL CURSOR(1,1)\r\n    PRINT\"A\";\r\n    CALL WAIT(10)\r\n"
        "    CALL GOTO_MARKER(0,1)\r\n    CALL DROP_MARKER(0)\r\n"
        "    CALL CURSOR(2,1)\r\n    PRINT\"B\";\r\n    CALL WAIT(10)\r\n"
        "    CALL CURSOR(2,1)\r\n    PRINT\"C\";\r\n    CALL WAIT(10)\r\n"
        "    CALL GOTO_MARKER(0,2)\r\n    CALL RELAY(ON)\r\nEND SUB\r\n",
        2);
    display.callUp(0);
    EXPECT_EQ(display.rows(), (Rows { row("A"), row("") }));
    display.advance(1000);
    EXPECT_EQ(display.rows(), (Rows { row("A"), row("B") }));
    display.advance(1000);
    EXPECT_EQ(display.rows()[1], row("C"));
    display.advance(1000);
    EXPECT_EQ(display.rows()[1], row("B")) << "second pass of the second section";
    display.advance(1000);
    EXPECT_EQ(display.rows()[1], row("C"));
    EXPECT_FALSE(display.relayOn());
    display.advance(1000);
    EXPECT_EQ(display.rows(), (Rows { row("A"), row("C") })) << "the first section is not run again";
    EXPECT_TRUE(display.relayOn());
}

TEST(DisplayUnit, EndlessZeroTimeLoopDoesNotHang)
{
    unit::DisplayUnit display(2);
    loadUnit(display,
        "SUB 0(TASK=0)\r\n    CALL DROP_MARKER(0)\r\n    PRINT\"x\";\r\n"
        "    CALL GOTO_MARKER(0,0)\r\nEND SUB\r\n"
        "SUB 1(TASK=1)\r\n    CALL START_SCRIPT(2)\r\nEND SUB\r\n"
        "SUB 2(TASK=2)\r\n    CALL START_SCRIPT(1)\r\nEND SUB\r\n",
        2);
    display.callUp(0);
    display.callUp(1);
    display.advance(10 * 60 * 1000);
    EXPECT_EQ(display.rows()[0], row("xxxxxxxxxxxxxxxxxxxx"));
}

TEST(DisplayUnit, BarePrintScrollsTheDisplayUp)
{
    unit::DisplayUnit display(2);
    loadUnit(display,
        "SUB 0(TASK=0)\r\n    CALL DROP_MARKER(0)\r\n"
        "    PRINT\r\n    PRINT\"ONE\";\r\n    CALL WAIT(20)\r\n"
        "    PRINT\r\n    PRINT\"TWO\";\r\n    CALL WAIT(20)\r\n"
        "    CALL GOTO_MARKER(0,0)\r\nEND SUB\r\n",
        2);
    display.callUp(0);
    EXPECT_EQ(display.rows(), (Rows { row(""), row("ONE") }));
    display.advance(2000);
    EXPECT_EQ(display.rows(), (Rows { row("ONE"), row("TWO") }));
    display.advance(2000);
    EXPECT_EQ(display.rows(), (Rows { row("TWO"), row("ONE") }));
}

const char* const Chain =
    "SUB 0(TASK=0)\r\n    CALL START_SCRIPT(2)\r\n    CALL START_SCRIPT(1)\r\n"
    "    CALL CURSOR(1,1)\r\n    PRINT\"ZERO\";\r\n    CALL WAIT(10)\r\nEND SUB\r\n"
    "SUB 1(TASK=0)\r\n    CALL CURSOR(1,1)\r\n    PRINT VAR(1,4);\r\nEND SUB\r\n"
    "SUB 2(TASK=1)\r\n    CALL CURSOR(2,1)\r\n    PRINT\"OTHER\";\r\nEND SUB\r\n";

TEST(DisplayUnit, StartScriptRunsOtherTasksAtOnceAndTheSameTaskAfter)
{
    unit::DisplayUnit display(2);
    loadUnit(display, Chain, 2);
    display.callUp(0, "42");
    EXPECT_EQ(display.rows(), (Rows { row("ZERO"), row("OTHER") }));
    display.advance(1000);
    EXPECT_EQ(display.rows()[0], row("  42")) << "started with the caller's variables";
}

TEST(DisplayUnit, LockedMessageIsNotInterrupted)
{
    unit::DisplayUnit display(2);
    loadUnit(display,
        "SUB 0(TASK=0)\r\n    CALL LOCK_BUFFER(ON)\r\n    CALL CURSOR(1,1)\r\n"
        "    PRINT\"LOCKED\";\r\n    CALL WAIT(10)\r\n    CALL LOCK_BUFFER(OFF)\r\n"
        "    CALL WAIT(50)\r\nEND SUB\r\n"
        "SUB 1(TASK=0)\r\n    CALL CURSOR(1,1)\r\n    PRINT\"NEXT  \";\r\nEND SUB\r\n",
        2);
    display.callUp(0);
    EXPECT_TRUE(display.callUp(1));
    EXPECT_EQ(display.rows()[0], row("LOCKED"));
    display.advance(1000); // unlocked: the waiting call up replaces it
    EXPECT_EQ(display.rows()[0], row("NEXT"));
}

TEST(DisplayUnit, SerialAndSlaveOutput)
{
    unit::DisplayUnit display(2);
    loadUnit(display,
        "SUB 0(TASK=0)\r\n    CALL OUTPUT_DEVICE(SERIAL)\r\n    PRINT\"PAGE \";\r\n"
        "    PRINT VAR(2,-3);\r\n    CALL OUTPUT_DEVICE(DISPLAY)\r\n    CALL CURSOR(1,1)\r\n"
        "    PRINT\"SHOWN\";\r\n    CALL RELAY(ON)\r\nEND SUB\r\n"
        "SUB 1(TASK=0)\r\n    CALL OUTPUT_DEVICE(HOST)\r\n    CALL CURSOR(2,1)\r\n"
        "    PRINT\"BOTH\";\r\n    CALL RELAY(OFF)\r\nEND SUB\r\n",
        2);
    display.callUp(0, "1 7");
    EXPECT_EQ(display.takeSerialOutput(), "PAGE 007\r\n");
    EXPECT_EQ(display.takeSerialOutput(), "");
    EXPECT_EQ(display.rows()[0], row("SHOWN"));
    EXPECT_TRUE(display.relayOn());
    display.callUp(1);
    EXPECT_EQ(display.takeSerialOutput(), "");
    EXPECT_EQ(display.takeSlaveOutput(), "BOTH\r\n");
    EXPECT_EQ(display.takeSlaveOutput(), "");
    EXPECT_EQ(display.rows()[1], row("BOTH"));
    EXPECT_FALSE(display.relayOn());
}

// A send text's "#" escapes leave the serial port as control codes: the character less 64.
TEST(DisplayUnit, SerialOutputSendsEscapesAsControlCodes)
{
    unit::DisplayUnit display(2);
    loadUnit(display,
        "SUB 0(TASK=0)\r\n    CALL OUTPUT_DEVICE(SERIAL)\r\n"
        "    PRINT\"#@A#M#J#\\\\#[#_##M#a#?#\";\r\n    CALL OUTPUT_DEVICE(DISPLAY)\r\nEND SUB\r\n",
        2);
    display.callUp(0);
    EXPECT_EQ(display.takeSerialOutput(), std::string("\0A\r\n\x1c\x1b\x1f#\r#a#?#", 14) + "\r\n");
    EXPECT_EQ(display.rows()[0], row(""));
}

TEST(DisplayUnit, UndecodableMessageDoesNotExist)
{
    unit::UnitImage image;
    image.code = { static_cast<std::uint8_t>(unit::Op::Cursor), 9, 1, 0 };
    image.directory[0] = { 0, 4, 0 };
    image.directory[1] = { 2, 100, 0 }; // past the code
    unit::DisplayUnit display(4);
    display.load(image);
    EXPECT_FALSE(display.callUp(0));
    EXPECT_FALSE(display.callUp(1));
    EXPECT_EQ(display.rows().size(), 4U);
}

} // namespace
