#include "model/checkvalues.h"
#include "support/modelfixture.h"

using namespace marquis;
using namespace marquis::testing;

namespace {

class ScriptReaderTest : public ModelTest {
protected:
    CurrentMessage read(const std::string& statements, int unitLines = 4)
    {
        CurrentMessage message;
        message.MessageNumber = 12;
        message.UnitLines = static_cast<std::int16_t>(unitLines);
        message.MessageScript = subText(12, 2, statements);
        reader.ReadFields(message);
        return message;
    }
};

TEST_F(ScriptReaderTest, FirstWorkedExampleReadsBack)
{
    const CurrentMessage message = read(testData("model/worked-example-1/statements.txt"));
    EXPECT_FALSE(message.ScriptEditOnly);
    EXPECT_EQ(message.task(), 2);
    EXPECT_EQ(message.line(1).LineText, "\\sb90\\sa90 \\f0 \\cf0 Hello \\f65 \\cf0 WORLD");
    EXPECT_EQ(message.line(1).LineBlink, "25,ON");
    EXPECT_EQ(message.line(2).LineText, "\\sb90\\sa90 \\qc \\f0 \\cf0 Line two");
    EXPECT_EQ(message.line(3).LineText, "\\sb90\\sa90 ");
    EXPECT_EQ(ui.statuses.front(), "Performing CRC check on message  12");
    EXPECT_NE(std::find(ui.statuses.begin(), ui.statuses.end(), "Reading message  12"),
        ui.statuses.end());
    EXPECT_EQ(ui.currentStatus(), "");
    EXPECT_FALSE(ui.isBusy());
}

TEST_F(ScriptReaderTest, BlocksComeBackAtTheirWaitStatements)
{
    const std::string blocks =
        "LINE1:\r\n    CALL DROP_MARKER(0)\r\n// Don't center block 1\r\n    PRINT\r\n"
        "    PRINT\"FIRST\";\r\n    CALL ERASE_TO_EOL(-1,-1)\r\n    CALL WAIT(10)\r\n"
        "// Center block 2\r\n    PRINT\r\n    PRINT\"       \";\r\n    PRINT\"SECOND\";\r\n"
        "    CALL ERASE_TO_EOL(-1,-1)\r\n    CALL WAIT(10)\r\n    CALL GOTO_MARKER(0,3)\r\n";
    const CurrentMessage vertical = read(blocks);
    EXPECT_EQ(
        vertical.line(1).LineText, "\\sb90\\sa90 \\f0 \\cf0 FIRST\\par\r\n\\qc \\f0 \\cf0 SECOND");
    EXPECT_EQ(vertical.line(1).LineBlock, "0,3");
    EXPECT_EQ(vertical.BlockWait, "10");
    EXPECT_TRUE(vertical.VerticalScrollOn);
    EXPECT_FALSE(vertical.BlockScrollOn);

    std::string horizontalBlocks = blocks;
    horizontalBlocks.replace(horizontalBlocks.find("// Don't"), 0, "    CALL CURSOR(1,1)\r\n");
    const CurrentMessage horizontal = read(horizontalBlocks);
    EXPECT_TRUE(horizontal.BlockScrollOn);
    EXPECT_FALSE(horizontal.VerticalScrollOn);

    // Without WAIT statements the blocks cannot be told apart.
    std::string noWaits = blocks;
    for (std::size_t at; (at = noWaits.find("    CALL WAIT(10)\r\n")) != std::string::npos;)
        noWaits.erase(at, 19);
    EXPECT_EQ(read(noWaits).line(1).LineText.find("\\par"), std::string::npos);
}

TEST_F(ScriptReaderTest, LabelsPlaceLinesWhateverTheirOrder)
{
    const CurrentMessage message = read("LINE2:\r\n    CALL CURSOR(2,1)\r\n    PRINT\"two\";\r\n"
                                        "LINE1:\r\n    CALL CURSOR(1,1)\r\n    PRINT\"one\";\r\n"
                                        "LINE4:\r\n    CALL CURSOR(4,1)\r\n    PRINT\"four\";\r\n",
        2);
    EXPECT_EQ(message.line(1).LineText, "\\sb90\\sa90 \\f0 \\cf0 one");
    EXPECT_EQ(message.line(2).LineText, "\\sb90\\sa90 \\f0 \\cf0 two");
    EXPECT_EQ(message.line(4).LineText, ""); // the 5320 has no fourth line
}

TEST_F(ScriptReaderTest, LabelOutsideTheDisplayIsIgnored)
{
    const CurrentMessage message = read("LINE1:\r\n    PRINT\"one\";\r\nLINE9:\r\n"
                                        "    PRINT\"nine\";\r\nLINE-3:\r\n    PRINT\"minus\";\r\n");
    EXPECT_EQ(
        message.line(1).LineText, "\\sb90\\sa90 \\f0 \\cf0 one\\f0 \\cf0 nine\\f0 \\cf0 minus");
}

TEST_F(ScriptReaderTest, VariablesFromEveryStatementForm)
{
    const CurrentMessage message =
        read("LINE1:\r\n    CALL BLINK(25,ON)\r\n    PRINT VAR(3, 5);\r\n    CALL BLINK(-1)\r\n"
             "    LET A=VAR(2)\r\n    PRINT USING(37,2);A;\r\n    PRINT VAR(16,-2);\r\n"
             "    PRINT VAR(17, 2);\r\n    PRINT VAR(4,0);\r\n");
    EXPECT_EQ(
        message.line(1).LineText, "\\sb90\\sa90 \\f19 \\cf4 #####\\f34 \\cf4 ##.##\\f48 \\cf4 ##");
}

TEST_F(ScriptReaderTest, MessageLevelAttributes)
{
    const CurrentMessage message =
        read("    CALL START_SCRIPT(4)                     // Start message on different task \r\n"
             "    CALL OUTPUT_DEVICE(SERIAL)\r\n    PRINT\"a \\\"b\\\" c\\\\   \";\r\n"
             "    CALL OUTPUT_DEVICE(DISPLAY)\r\n    CALL LOCK_BUFFER(ON)\r\n    CLS\r\n"
             "    CALL RELAY(ON)\r\nLINE1:\r\n    PRINT\"x\";\r\n    CALL LOCK_BUFFER(OFF)\r\n"
             "    CALL START_SCRIPT(5)                     // Start message on same task \r\n"
             "    CALL START_SCRIPT(6)\r\n");
    EXPECT_EQ(message.StartOtherTask, "4");
    EXPECT_EQ(message.StartSameTask, "5,6");
    EXPECT_EQ(message.OutputDevice, "a \"b\" c\\");
    EXPECT_EQ(message.LockOn, "ON");
    EXPECT_EQ(message.LockOff, "OFF");
    EXPECT_EQ(message.ClearScreen, "CLS");
    EXPECT_EQ(message.RelayState, "ON");
}

TEST_F(ScriptReaderTest, StartListsWithoutCommentsFollowTheirPosition)
{
    const CurrentMessage message =
        read("    CALL START_SCRIPT(1)\r\n    CALL START_SCRIPT(2)\r\nLINE1:\r\n"
             "    PRINT\"x\";\r\n    CALL START_SCRIPT(3)\r\n");
    EXPECT_EQ(message.StartOtherTask, "1,2");
    EXPECT_EQ(message.StartSameTask, "3");
    EXPECT_EQ(
        read("    CALL OUTPUT_DEVICE(HOST)\r\n    CALL START_SCRIPT(1)\r\n").StartSameTask, "1");
}

TEST_F(ScriptReaderTest, DisplayTextThatSpellsStatementsStaysText)
{
    const CurrentMessage message =
        read("LINE1:\r\n    PRINT\"CALL BLINK(1)\";\r\n    PRINT\"LET A=VAR(2)\";\r\n"
             "    PRINT\"CALL WAIT(3)\";\r\n    PRINT\"CALL FONT_SET(KATAKANA)\";\r\n"
             "    PRINT\"CALL OUTPUT_DEVICE(HOST)\";\r\n");
    EXPECT_EQ(message.line(1).LineText,
        "\\sb90\\sa90 \\f0 \\cf0 CALL BLINK(1)\\f0 \\cf0 LET A=VAR(2)\\f0 \\cf0 CALL "
        "WAIT(3)\\f0 \\cf0 CALL FONT_SET(KATAKANA)\\f0 \\cf0 CALL OUTPUT_DEVICE(HOST)");
    EXPECT_EQ(message.line(1).LineFont, "");
    EXPECT_EQ(message.BlockWait, "");
    EXPECT_EQ(message.OutputDevice, "");
}

TEST_F(ScriptReaderTest, LeadingBlanksOfAnUncentredBlockStay)
{
    const CurrentMessage message =
        read("LINE1:\r\n    PRINT\"  \";\r\n    CALL BLINK(25,ON)\r\n    PRINT\"ab\";\r\n"
             "    CALL BLINK(-1)\r\n");
    EXPECT_EQ(message.line(1).LineText, "\\sb90\\sa90 \\f0 \\cf0   \\f65 \\cf0 ab");
}

TEST_F(ScriptReaderTest, HandEditedMessageIsLeftForScriptEdit)
{
    CurrentMessage message;
    message.MessageNumber = 3;
    message.MessageScript = subText(3, 1, "LINE1:\r\n    PRINT\"text\";\r\n");
    message.MessageScript.replace(message.MessageScript.find("text"), 4, "TEXT");
    message.line(1).LineText = "left over";
    reader.ReadFields(message);
    EXPECT_TRUE(message.ScriptEditOnly);
    EXPECT_EQ(message.line(1).LineText, "");
    EXPECT_EQ(message.task(), 1);
}

TEST_F(ScriptReaderTest, ChkLineExtractsArguments)
{
    EXPECT_EQ(ChkLine("    CALL RELAY(ON)", "CALL RELAY", '(', ')'), "ON");
    EXPECT_EQ(ChkLine("    CALL RELAY ON", "CALL RELAY", '(', ')'), "");
    EXPECT_EQ(ChkLine("    CALL RELAY(ON", "CALL RELAY", '(', ')'), "");
    EXPECT_EQ(ChkLine("    PRINT\"a\\\"b\";", "PRINT", '"', '"'), "a\"b");
    EXPECT_EQ(ChkLine("    PRINT\"a\\\\\";", "PRINT", '"', '"'), "a\\\\");
    EXPECT_EQ(ChkLet("    LET A=VAR(12)"), "12");
    EXPECT_EQ(ChkLet("    LET A=12"), "");
}

TEST_F(ScriptReaderTest, ChkDeviceNeedsTheWholeSerialGroup)
{
    EXPECT_EQ(ChkDevice("    CALL OUTPUT_DEVICE(SERIAL)\r\n    PRINT\"abc  \";\r\n"
                        "    CALL OUTPUT_DEVICE(DISPLAY)\r\n"),
        "abc");
    EXPECT_EQ(ChkDevice("    CALL OUTPUT_DEVICE(SERIAL)\r\n    PRINT\"abc\";\r\n"), "");
    EXPECT_EQ(ChkDevice("    CALL OUTPUT_DEVICE(HOST)\r\n"), "HOST");
    EXPECT_EQ(ChkDevice("    PRINT\"nothing\";\r\n"), "");
}

TEST(GetCenterTest, DropsOnlyTheWritersBlanks)
{
    bool centred = false;
    EXPECT_EQ(ScriptReader::GetCenter("\\f0 \\cf0       \\f0 \\cf0 Line two", true, false, centred),
        "\\qc \\f0 \\cf0 Line two");
    EXPECT_TRUE(centred);
    // A second centred block keeps the state and gets no second mark.
    EXPECT_EQ(ScriptReader::GetCenter("\\f0 \\cf0        \\f0 \\cf0 SECOND", true, false, centred),
        "\\f0 \\cf0 SECOND");
    // An uncentred block after a centred one ends the centring before its first character.
    EXPECT_EQ(ScriptReader::GetCenter("\\f0 \\cf0   \\f65 \\cf0 ab", false, false, centred),
        "\\f0 \\cf0 \\ql   \\f65 \\cf0 ab");
    EXPECT_FALSE(centred);
    // Blanks that do not centre the rest are the user's.
    EXPECT_EQ(ScriptReader::GetCenter("\\f0 \\cf0  \\f0 \\cf0 ab", true, false, centred),
        "\\f0 \\cf0 \\qc  \\f0 \\cf0 ab");
    // A scrolled line is never centred.
    centred = false;
    EXPECT_EQ(ScriptReader::GetCenter("\\f0 \\cf0 ab", true, true, centred), "\\f0 \\cf0 ab");
    EXPECT_FALSE(centred);
}

} // namespace
