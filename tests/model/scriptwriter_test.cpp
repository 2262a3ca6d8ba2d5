#include "model/attributeforms.h"
#include "model/checkvalues.h"
#include "model/modelfailure.h"
#include "model/numberformat.h"
#include "model/runscanner.h"
#include "model/scriptformat.h"
#include "support/messagegenerator.h"
#include "support/modelfixture.h"

using namespace marquis;
using namespace marquis::testing;

namespace {

// The statements of the SUB block between the caution comment and END SUB.
std::string statementsOf(const std::string& script)
{
    const std::string caution = std::string(script::CautionLine) + "\r\n\r\n";
    const std::size_t begin = script.find(caution);
    const std::size_t end = script.rfind("END SUB");
    if (begin == std::string::npos || end == std::string::npos)
        return "<no block>";
    return script.substr(begin + caution.size(), end - begin - caution.size());
}

CurrentMessage oneLine(const std::string& text)
{
    CurrentMessage message;
    message.line(1).LineText = "\\sb90\\sa90 " + text;
    return message;
}

class ScriptWriterTest : public ModelTest {
protected:
    std::string statements(CurrentMessage message)
    {
        writer.SubMake(message);
        return statementsOf(message.MessageScript);
    }
};

TEST_F(ScriptWriterTest, FirstWorkedExampleByteForByte)
{
    CurrentMessage message;
    message.MessageNumber = 5;
    message.setTask(1);
    message.line(1).LineText = "\\sb90\\sa90 \\f0 \\cf0 Hello \\f65 \\cf0 WORLD";
    message.line(1).LineBlink = "25,ON";
    message.line(2).LineText = "\\sb90\\sa90 \\qc \\f0 \\cf0 Line two";
    writer.SubMake(message);
    EXPECT_EQ(
        message.MessageScript, subText(5, 1, testData("model/worked-example-1/statements.txt")));
    // The fields themselves are left as they were.
    EXPECT_EQ(message.line(2).LineText, "\\sb90\\sa90 \\qc \\f0 \\cf0 Line two");
}

TEST_F(ScriptWriterTest, SecondWorkedExampleVerticalAndHorizontalBlocks)
{
    CurrentMessage message = oneLine("\\f0 \\cf0 FIRST\\par\r\n\\f0 \\cf0 SECOND");
    message.VerticalScrollOn = true;
    message.line(1).LineBlock = "0,3";
    message.BlockWait = "10";
    EXPECT_EQ(statements(message), testData("model/worked-example-2/statements.txt"));

    message.VerticalScrollOn = false;
    message.BlockScrollOn = true;
    const std::string horizontal = statements(message);
    EXPECT_NE(
        horizontal.find("    CALL CURSOR(1,1)\r\n// Don't center block 1\r\n    PRINT\"FIRST"),
        std::string::npos);
    EXPECT_EQ(horizontal.find("    PRINT\r\n"), std::string::npos);
}

TEST_F(ScriptWriterTest, MessageStatementsInTheirOrderWithCommentsInColumn46)
{
    CurrentMessage message = oneLine("\\f0 \\cf0 Hi");
    message.StartOtherTask = "1,2,3,4,5";
    message.StartSameTask = "7,,9";
    message.ClearScreen = "CLS";
    message.RelayState = "OFF";
    message.OutputDevice = "HOST";
    message.LockOn = "ON";
    message.LockOff = "OFF";
    const std::string text = statements(message);

    const char* expectedOrder[] = {
        "    CALL START_SCRIPT(1)                     // Start message on different task \r\n",
        "    CALL START_SCRIPT(4)                     // Start message on different task \r\n",
        "    CALL OUTPUT_DEVICE(HOST)                 // Send current meaage to 5300 (Version 2 "
        "unit only) slave\r\n",
        "    CALL LOCK_BUFFER(ON)                     // Lock the current message-can't be "
        "interrupted until completely executed\r\n",
        "    CLS                                      // Clear entire screen upon starting this "
        "message\r\n",
        "    CALL RELAY(OFF)                          // Turn relay off upon starting this "
        "message\r\n",
        "LINE1:\r\n",
        "    CALL LOCK_BUFFER(OFF)                    // Unlock the current message\r\n",
        "    CALL START_SCRIPT(7)                     // Start message on same task \r\n",
        "    CALL START_SCRIPT(9)                     // Start message on same task \r\n",
    };
    std::size_t at = 0;
    for (const char* statement : expectedOrder) {
        const std::size_t found = text.find(statement, at);
        ASSERT_NE(found, std::string::npos) << statement;
        at = found;
    }
    EXPECT_EQ(text.find("START_SCRIPT(5)"), std::string::npos); // a fifth entry is dropped
    EXPECT_EQ(text.find("START_SCRIPT()"), std::string::npos); // an empty one is skipped
}

TEST_F(ScriptWriterTest, SendTextGroupEscapesQuotesAndBackslashes)
{
    CurrentMessage message = oneLine("\\f0 \\cf0 x");
    message.OutputDevice = "say \"hi\" C:\\";
    EXPECT_NE(statements(message).find(
                  "// Send specified text in PRINT command below through serial port out\r\n"
                  "    CALL OUTPUT_DEVICE(SERIAL)\r\n"
                  "    PRINT\"say \\\"hi\\\" C:\\\\\";\r\n"
                  "    CALL OUTPUT_DEVICE(DISPLAY)\r\n"),
        std::string::npos);
}

TEST_F(ScriptWriterTest, MessageWithoutContentHasNoText)
{
    CurrentMessage message;
    message.LockOn = "ON";
    message.LockOff = "OFF";
    message.line(1).LineFont = "KATAKANA";
    message.line(2).LineText = "\\sb90\\sa90 \\f0 \\cf0 ";
    message.MessageScript = "old text";
    writer.SubMake(message);
    EXPECT_EQ(message.MessageScript, "");
}

TEST_F(ScriptWriterTest, ScriptEditOnlyLeavesTheTextAlone)
{
    CurrentMessage message = oneLine("\\f0 \\cf0 Hi");
    message.ScriptEditOnly = true;
    message.MessageScript = "hand-edited";
    writer.SubMake(message);
    EXPECT_EQ(message.MessageScript, "hand-edited");
    EXPECT_TRUE(ui.statuses.empty());
}

TEST_F(ScriptWriterTest, LengthRulesForCentringAndErasing)
{
    // 20 characters: neither centred nor erased.
    const std::string twenty = statements(oneLine("\\qc \\f0 \\cf0 12345678901234567890"));
    EXPECT_EQ(twenty.find("ERASE_TO_EOL"), std::string::npos);
    EXPECT_EQ(twenty.find("// Center line"), std::string::npos);

    // 19 characters centred: no blanks and nothing in front, so a blinking first run stays
    // blinking.
    CurrentMessage nineteen = oneLine("\\qc \\f65 \\cf0 1234567890123456789");
    nineteen.line(1).LineBlink = "25,ON";
    EXPECT_EQ(statements(nineteen),
        "LINE1:\r\n    CALL CURSOR(1,1)\r\n// Center line\r\n    CALL BLINK(25,ON)\r\n"
        "    PRINT\"1234567890123456789\";\r\n    CALL BLINK(-1)\r\n"
        "    CALL ERASE_TO_EOL(CURRENT,CURRENT)       // Erase to the end of the line\r\n");

    // 11 characters: (20 - 11) / 2 = 4 blanks.
    EXPECT_NE(statements(oneLine("\\qc \\f0 \\cf0 eleven char")).find("    PRINT\"    \";\r\n"),
        std::string::npos);
}

TEST_F(ScriptWriterTest, CentringNeedsTheControlWordNotTheLetters)
{
    const std::string text = statements(oneLine("\\f0 \\cf0 a\\\\qc b"));
    EXPECT_EQ(text.find("// Center line"), std::string::npos);
    EXPECT_NE(text.find("    PRINT\"a\\\\qc b\";"), std::string::npos);
}

TEST_F(ScriptWriterTest, CentringBlanksStayARunOfTheirOwn)
{
    // Without a control word in front of the text the blanks would merge into it and come back
    // as typed blanks.
    EXPECT_NE(statements(oneLine("\\qc Hi")).find("    PRINT\"         \";\r\n    PRINT\"Hi\";"),
        std::string::npos);
}

TEST_F(ScriptWriterTest, ScrolledLineGoesLastWithoutCentringOrErasing)
{
    CurrentMessage message = oneLine("\\qc \\f0 \\cf0 scrolling");
    message.line(1).LineScroll = "25,0";
    message.line(1).LineFont = "CYRILLIC";
    message.line(2).LineText = "\\f0 \\cf0 second";
    const std::string text = statements(message);
    EXPECT_LT(text.find("LINE2:"), text.find("LINE1:"));
    EXPECT_NE(text.find("LINE1:\r\n    CALL CURSOR(1,1)\r\n"
                        "    CALL FONT_SET(CYRILLIC)                  // Invoke specified font \r\n"
                        "    CALL SCROLL(25,0)                        // Turn the scroll on\r\n"
                        "    PRINT\"scrolling\";\r\n    EOT\r\n"),
        std::string::npos);
    EXPECT_EQ(text.find("// Center line"), std::string::npos);
}

TEST_F(ScriptWriterTest, BlinkStatementsAroundBlinkingRuns)
{
    CurrentMessage message = oneLine("\\f65 \\cf0 ab\\f65 \\cf0 cd\\f0 \\cf0 ef\\f65 \\cf0 gh");
    EXPECT_EQ(statements(message),
        "LINE1:\r\n    CALL CURSOR(1,1)\r\n    CALL BLINK(25,ON)\r\n    PRINT\"ab\";\r\n"
        "    PRINT\"cd\";\r\n    CALL BLINK(-1)\r\n    PRINT\"ef\";\r\n"
        "    CALL BLINK(25,ON)\r\n    PRINT\"gh\";\r\n    CALL BLINK(-1)\r\n"
        "    CALL ERASE_TO_EOL(CURRENT,CURRENT)       // Erase to the end of the line\r\n");
    message.line(1).LineBlink = "40,1";
    EXPECT_NE(statements(message).find("CALL BLINK(40,1)"), std::string::npos);
}

TEST_F(ScriptWriterTest, VariablesOfEveryKind)
{
    const std::string text =
        statements(oneLine("\\f3 \\cf4 #####\\f35 \\cf4 #####\\f34 \\cf4 ##.##\\f18 \\cf4 #.#"));
    EXPECT_NE(text.find("    PRINT VAR(3, 5);\r\n    PRINT VAR(3,-5);\r\n"
                        "    LET A=VAR(2)\r\n    PRINT USING(37,2);A;\r\n"
                        "    CALL BLINK(25,ON)\r\n    LET A=VAR(2)\r\n    PRINT USING(19,0);A;\r\n"
                        "    CALL BLINK(-1)\r\n"),
        std::string::npos);
}

TEST_F(ScriptWriterTest, UnknownFontsAreDropped)
{
    const std::string text = statements(oneLine("\\f0 \\cf0 kept\\f66 \\cf0 gone\\f7\\cf0 nofont"));
    EXPECT_NE(text.find("PRINT\"kept\";"), std::string::npos);
    EXPECT_EQ(text.find("gone"), std::string::npos);
}

TEST_F(ScriptWriterTest, QuotesAndBackslashesInDisplayText)
{
    const std::string text = statements(oneLine("\\f0 \\cf0 say \"hi\" \\\\"));
    EXPECT_NE(text.find("    PRINT\"say \\\"hi\\\" \\\\\";\r\n"), std::string::npos);
}

TEST_F(ScriptWriterTest, LiteralBackslashRunKeepsTheNextRunsFont)
{
    const std::string text = statements(oneLine("\\f0 \\cf0 \\\\\\f65 \\cf0 blink"));
    EXPECT_NE(text.find("    PRINT\"\\\\\";\r\n    CALL BLINK(25,ON)\r\n    PRINT\"blink\";"),
        std::string::npos);
}

TEST_F(ScriptWriterTest, LineBreaksNeverReachAStatement)
{
    CurrentMessage message = oneLine("\\f0 \\cf0 end\n");
    message.line(1).LineFont = "ENG\r\nLISH";
    message.OutputDevice = "a\r\n    CALL RELAY(ON)";
    writer.SubMake(message);
    for (const std::string_view statement : script::statementLines(message.MessageScript))
        EXPECT_TRUE(
            statement.ends_with("\r\n") && statement.find_first_of("\r\n") == statement.size() - 2)
            << statement;
}

TEST_F(ScriptWriterTest, LinesAboveTheUnitModelAreNotWritten)
{
    CurrentMessage message = oneLine("\\f0 \\cf0 one");
    message.line(3).LineText = "\\f0 \\cf0 three";
    message.UnitLines = 2;
    EXPECT_EQ(statements(message).find("LINE3:"), std::string::npos);
    message.UnitLines = 4;
    EXPECT_NE(statements(message).find("LINE3:"), std::string::npos);
}

TEST_F(ScriptWriterTest, EverySecondBlockPlayedLineWritesTheSameWait)
{
    CurrentMessage message = oneLine("\\f0 \\cf0 a\\par\r\n\\f0 \\cf0 b");
    message.line(1).LineBlock = "0,1";
    message.line(2).LineText = "\\f0 \\cf0 c\\par\r\n\\f0 \\cf0 d";
    message.line(2).LineBlock = "0,2";
    message.BlockScrollOn = true;
    message.BlockWait = "6";
    const std::string text = statements(message);
    const std::string wait =
        "    CALL WAIT(6)                             // Pause program execution \r\n";
    std::size_t count = 0;
    for (std::size_t at = text.find(wait); at != std::string::npos; at = text.find(wait, at + 1))
        ++count;
    EXPECT_EQ(count, 4u);
    EXPECT_EQ(text.find("CALL WAIT(    CALL"), std::string::npos);
}

// An attribute text is put into its statement as it stands, so one that lacks the statement's
// form is left out as if it were not set: it must not end the statement and start another.
TEST_F(ScriptWriterTest, AttributeTextsWithoutTheirFormAreLeftOut)
{
    CurrentMessage blink = oneLine("\\f65 \\cf0 ALARM");
    blink.line(1).LineBlink = "25,ON) CALL RELAY(ON";
    const std::string blinking = statements(blink);
    EXPECT_NE(blinking.find("    CALL BLINK(25,ON)\r\n    PRINT\"ALARM\";"), std::string::npos)
        << blinking;
    EXPECT_EQ(blinking.find("RELAY"), std::string::npos) << blinking;

    // A scroll without its form: a normal line, short enough to be erased after.
    CurrentMessage scroll = oneLine("\\f0 \\cf0 short");
    scroll.line(1).LineScroll = "25";
    EXPECT_EQ(statements(scroll), statements(oneLine("\\f0 \\cf0 short")));

    // Blocks without their form are written as a normal line; a malformed pause writes none.
    CurrentMessage blocks = oneLine("\\f0 \\cf0 a\\par\r\n\\f0 \\cf0 b");
    blocks.VerticalScrollOn = true;
    blocks.BlockWait = "10) CLS (";
    blocks.line(1).LineBlock = "1,3"; // only marker 0 is dropped
    const std::string notPlayed = statements(blocks);
    EXPECT_EQ(notPlayed.find("MARKER"), std::string::npos) << notPlayed;
    blocks.line(1).LineBlock = "0,3";
    const std::string played = statements(blocks);
    EXPECT_NE(played.find("    CALL GOTO_MARKER(0,3)\r\n"), std::string::npos) << played;
    EXPECT_EQ(played.find("WAIT"), std::string::npos) << played;
    EXPECT_EQ(played.find("CLS"), std::string::npos) << played;

    CurrentMessage others = oneLine("\\f0 \\cf0 x");
    others.line(1).LineFont = "SLAVIC)\r\n    CLS";
    others.StartOtherTask = "1) CLS (,7,x";
    const std::string text = statements(others);
    EXPECT_EQ(text.find("FONT_SET"), std::string::npos) << text;
    EXPECT_EQ(text.find("CLS"), std::string::npos) << text;
    EXPECT_NE(text.find("    CALL START_SCRIPT(7)"), std::string::npos) << text;
}

// The forms the attribute texts take, with the values the window and the dialogs set.
TEST(AttributeFormsTest, FormsOfTheValuesTheDialogsSet)
{
    for (const char* rate : { "1", "8", "18", "25", "40", "70", "100", "255" }) {
        EXPECT_TRUE(isBlinkForm(std::string(rate) + ",ON")) << rate;
        EXPECT_TRUE(isBlinkForm(std::string(rate) + ",1")) << rate;
        EXPECT_TRUE(isScrollForm(std::string(rate) + ",0")) << rate;
    }
    for (const char* count : { "0", "1", "9", "255" }) {
        EXPECT_TRUE(isBlockForm(std::string("0,") + count));
        EXPECT_TRUE(isScrollForm(std::string("25,") + count));
    }
    for (const char* pause : { "0", "1", "3", "6", "10", "20", "30", "50", "65535" })
        EXPECT_TRUE(isPauseForm(pause)) << pause;
    EXPECT_TRUE(isBlinkForm(" 25 , ON ")); // blanks around the pieces are the statement's own

    for (const char* bad : { "", "25", "25,", ",ON", "0,ON", "256,ON", "25,OFF", "25,0", "25,on",
             "25,ON,1", "25,ON) CALL RELAY(ON", "-1", "+25,ON", "2 5,ON", "25\t,ON" })
        EXPECT_FALSE(isBlinkForm(bad)) << bad;
    for (const char* bad : { "", "25", "0,0", "25,256", "25,-1", "25,0)", "1e2,0", "25,0,0" })
        EXPECT_FALSE(isScrollForm(bad)) << bad;
    for (const char* bad : { "", "0", "1,3", "0,256", "0,3) CLS (", "00000000000000,1" })
        EXPECT_FALSE(isBlockForm(bad)) << bad;
    for (const char* bad : { "", "-1", "65536", "10)", "1.5", "ten" })
        EXPECT_FALSE(isPauseForm(bad)) << bad;
}

TEST_F(ScriptWriterTest, BlockPlayedLineWithoutAScrollModeKeepsOnlyItsLabel)
{
    CurrentMessage message = oneLine("\\f0 \\cf0 a\\par\r\n\\f0 \\cf0 b");
    message.line(1).LineBlock = "0,0";
    EXPECT_EQ(statements(message), "LINE1:\r\n");
}

TEST_F(ScriptWriterTest, CentredBlocksFollowTheCentringState)
{
    CurrentMessage message =
        oneLine("\\qc \\f0 \\cf0 one\\par\r\n\\f0 \\cf0 two\\par\r\n\\ql \\f0 \\cf0 three"
                "\\par\r\n\\f0 \\cf0 12345678901234567890\\par\r\n");
    message.line(1).LineBlock = "0,0";
    message.VerticalScrollOn = true;
    const std::string text = statements(message);
    EXPECT_NE(text.find("// Center block 1"), std::string::npos);
    EXPECT_NE(text.find("// Center block 2"), std::string::npos);
    EXPECT_NE(text.find("// Don't center block 3"), std::string::npos);
    EXPECT_EQ(text.find("block 4"), std::string::npos); // 20 characters: no comment
    EXPECT_EQ(text.find("block 5"), std::string::npos); // an empty last block is not played
}

TEST_F(ScriptWriterTest, HeaderOfMessageZeroAndStatusNotices)
{
    CurrentMessage message = oneLine("\\f0 \\cf0 x");
    FixedCheckValue fixed(4660);
    ScriptWriter fixedWriter(fixed, ui);
    fixedWriter.SubMake(message);
    EXPECT_TRUE(message.MessageScript.starts_with("SUB 0(TASK=0)    // CRC value = 4660\r\n"));
    FixedCheckValue negative(-42);
    ScriptWriter negativeWriter(negative, ui);
    negativeWriter.SubMake(message);
    EXPECT_TRUE(message.MessageScript.starts_with("SUB 0(TASK=0)    // CRC value =-42\r\n"));

    ASSERT_GE(ui.statuses.size(), 2u);
    EXPECT_EQ(ui.statuses.front(), "Assembling message  0");
    EXPECT_EQ(ui.statuses.back(), "");
    EXPECT_FALSE(ui.isBusy());
}

} // namespace

namespace {

class FailingCheckValue : public marquis::CheckValueSource {
public:
    std::int32_t checkValueOf(std::string_view) override
    {
        throw std::runtime_error("component crashed");
    }
};

TEST(ScriptWriterFailureTest, UnexpectedFailureNamesTheProcedureAndClearsTheNotices)
{
    FailingCheckValue failing;
    FakeUserInterface ui;
    ScriptWriter writer(failing, ui);
    CurrentMessage message = oneLine("\\f0 \\cf0 x");
    message.MessageScript = "kept";
    try {
        writer.SubMake(message);
        FAIL() << "no failure reported";
    } catch (const ModelFailure& failure) {
        EXPECT_EQ(failure.procedure(), "SubMake");
    }
    EXPECT_EQ(message.MessageScript, "kept");
    EXPECT_EQ(ui.currentStatus(), "");
    EXPECT_FALSE(ui.isBusy());
}

} // namespace

namespace {

class ScriptWriterEdgeTest : public ModelTest { };

TEST_F(ScriptWriterEdgeTest, LineBreakEndsAControlWord)
{
    // Text after a block end without a font word of its own is still text.
    CurrentMessage message = oneLine("\\f0 \\cf0 Hello\\par\r\nWorld");
    writer.SubMake(message);
    EXPECT_NE(message.MessageScript.find("    PRINT\"Hello\";\r\n    PRINT\"World\";\r\n"),
        std::string::npos)
        << message.MessageScript;
}

TEST(RunFontTest, OnlyANumberedFontWordCounts)
{
    EXPECT_EQ(runFont("\\fs20 \\f65 \\cf0 "), 65);
    EXPECT_EQ(runFont("\\sb90\\sa90 \\cf0 "), 0);
    EXPECT_EQ(runFont("\\f65"), std::nullopt);
    EXPECT_EQ(runFont("\\f-3 "), -3);
}

TEST_F(ScriptWriterEdgeTest, LongBlockKeepsTheCentringOfTheBlocksAroundIt)
{
    CurrentMessage message = oneLine("\\qc \\f0 \\cf0 ONE\\par\r\n\\f0 \\cf0 12345678901234567890"
                                     "\\par\r\n\\f0 \\cf0 TWO");
    message.line(1).LineBlock = "0,1";
    message.BlockWait = "10";
    message.VerticalScrollOn = true;
    for (int i = 2; i <= 4; ++i)
        message.line(i).LineText = "\\sb90\\sa90 ";
    const CurrentMessage expected = message;
    CurrentMessage read = writeAndRead(message);
    std::string difference;
    EXPECT_TRUE(sameFields(expected, read, difference)) << difference << "\n"
                                                        << read.line(1).LineText;
}

} // namespace
