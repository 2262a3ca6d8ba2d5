// The rule that decides whether a script text can be kept as a message, and the small pure
// pieces of Script Edit: its status texts and the Alt + keypad character codes.
#include "ui/quickedit/charactercodes.h"
#include "ui/quickedit/scripttext.h"

#include <gtest/gtest.h>

using namespace marquis;
using Verdict = ScriptTextDecision::Verdict;

namespace {

const std::string Message9 = "SUB 9(TASK=0)    // CRC value = 12\r\n\r\nLINE1:\r\n"
                             "    PRINT\"Hi\";\r\nEND SUB\r\n";

TEST(ScriptTextRule, ForeignLineEndsAndAByteOrderMarkAreMadeTheStoredForm)
{
    EXPECT_EQ(checkScriptText(Message9, 9).verdict, Verdict::Accepted);
    EXPECT_EQ(checkScriptText(Message9, 9).text, Message9);

    const std::string fromEditor = "\xEF\xBB\xBFSUB 9(TASK=0)    // CRC value = 12\n\nLINE1:\r"
                                   "    PRINT\"Hi\";\nEND SUB\n\n\n";
    const ScriptTextDecision decision = checkScriptText(fromEditor, 9);
    EXPECT_EQ(decision.verdict, Verdict::Accepted);
    EXPECT_EQ(decision.text, Message9);

    // A byte-order mark says UTF-8: its characters come back as the single bytes they were.
    const ScriptTextDecision utf8 =
        checkScriptText("\xEF\xBB\xBFSUB 9(\r\n PRINT\"\xC3\xA9\";\r\nEND SUB", 9);
    EXPECT_EQ(utf8.verdict, Verdict::Accepted);
    EXPECT_EQ(utf8.text, "SUB 9(\r\n PRINT\"\xE9\";\r\nEND SUB\r\n");
    EXPECT_EQ(
        checkScriptText("\xEF\xBB\xBFSUB 9(\r\n PRINT\"\xE2\x82\xAA\";\r\nEND SUB", 9).verdict,
        Verdict::Refused);
}

TEST(ScriptTextRule, ATextIsKeptOnlyAsTheMessageItsSubLineNames)
{
    const ScriptTextDecision other = checkScriptText(Message9, 5);
    EXPECT_EQ(other.verdict, Verdict::Refused);
    EXPECT_EQ(other.message,
        "The script text of message 5 begins with \"SUB 9(\", the line of message 9. Change it "
        "to \"SUB 5(\" to keep the text as message 5. It stays in Script Edit until it is "
        "corrected.");
    EXPECT_EQ(other.text, Message9);

    const auto refusedWith = [](const std::string& text, const std::string& part) {
        const ScriptTextDecision decision = checkScriptText(text, 9);
        EXPECT_EQ(decision.verdict, Verdict::Refused) << text;
        EXPECT_NE(decision.message.find(part), std::string::npos) << decision.message;
    };
    refusedWith("LINE1:\r\nEND SUB\r\n", "has no line \"SUB 9(\"");
    refusedWith(Message9 + Message9, "more than one line beginning with \"SUB\"");
    refusedWith("SUB 9(TASK=0)\r\nSUBTITLE\r\nEND SUB\r\n", "more than one line beginning");
    refusedWith("SUB 9(TASK=0)\r\nLINE1:\r\n", "has no line \"END SUB\"");
    refusedWith("SUB 9(TASK=0)\r\nEND SUB\r\nEND SUB\r\n", "more than one line beginning with");
    refusedWith("' note\r\n" + Message9, "text before its SUB line");
    refusedWith(Message9 + "LINE2:\r\n", "text after \"END SUB\"");
    refusedWith("SUB 9\r\nEND SUB\r\n", "SUB line without \"(\"");
    // Indented, the lines are the body's: the store finds SUB and END SUB only in column 1.
    refusedWith("  SUB 9(TASK=0)\r\nEND SUB\r\n", "has no line \"SUB 9(\"");
}

TEST(ScriptTextRule, TheLengthLimitIsToldNeverCut)
{
    std::string body;
    while (body.size() < MaxScriptBytes)
        body += "    PRINT\"0123456789012345678\";\r\n";
    const std::string text = "SUB 9(TASK=0)\r\n" + body + "END SUB\r\n";
    const ScriptTextDecision decision = checkScriptText(text, 9);
    EXPECT_EQ(decision.verdict, Verdict::Refused);
    EXPECT_EQ(decision.text, text);
    EXPECT_EQ(decision.message,
        "The script text of message 9 is " + std::to_string(text.size()) +
            " bytes long. Max. possible 30000 bytes. It stays in Script Edit until it is "
            "corrected.");

    const std::string fits =
        "SUB 9(TASK=0)\r\n" + std::string(MaxScriptBytes - 26, 'x') + "\r\nEND SUB\r\n";
    ASSERT_EQ(fits.size(), MaxScriptBytes);
    EXPECT_EQ(checkScriptText(fits, 9).verdict, Verdict::Accepted);
}

TEST(ScriptTextRule, NothingButBlanksIsTheMessageWithoutContent)
{
    EXPECT_EQ(checkScriptText("", 9).verdict, Verdict::Empty);
    EXPECT_EQ(checkScriptText(" \r\n\t\n", 9).verdict, Verdict::Empty);
}

TEST(ScriptEditTexts, LengthTextsAndButtonTexts)
{
    EXPECT_EQ(scriptLengthOnFocus(61),
        "Total length of this script is 61 bytes. Max. possible  30000 bytes.");
    EXPECT_EQ(scriptLengthAfterKey(61),
        "Total length of this script is 61 bytes. Max. possible 30000 bytes.");
    EXPECT_EQ(advEditCaption(false, false), "&Go to Script Edit");
    EXPECT_EQ(advEditCaption(true, false), "&Go to Quick Edit");
    EXPECT_EQ(advEditCaption(true, true), "&Script Edit Only");
    EXPECT_EQ(advEditCaption(false, true), "&Script Edit Only");
}

TEST(CharacterCodes, KeypadDigitsWhileAltIsHeldTypeOneCharacter)
{
    CharacterCodes codes;
    EXPECT_TRUE(codes.keyPress(1, true));
    EXPECT_TRUE(codes.keyPress(6, true));
    EXPECT_TRUE(codes.keyPress(5, true));
    EXPECT_EQ(codes.altReleased(false), 165);
    // Nothing is left over for the next sequence, and the next plain key is typed as usual.
    EXPECT_FALSE(codes.altReleased(false));
    EXPECT_FALSE(codes.keyPress(std::nullopt, false));

    // Out of range, with another shift key held, or with no digits: nothing.
    for (int digit : { 2, 5, 6 })
        codes.keyPress(digit, true);
    EXPECT_FALSE(codes.altReleased(false));
    codes.keyPress(6, true);
    codes.keyPress(5, true);
    EXPECT_FALSE(codes.altReleased(true));
    codes.keyPress(0, true);
    EXPECT_FALSE(codes.altReleased(false));
    // Many digits do not wrap round into range.
    for (int k = 0; k < 12; ++k)
        codes.keyPress(9, true);
    EXPECT_FALSE(codes.altReleased(false));
    // Other keys with Alt (a mnemonic) are the window's.
    EXPECT_FALSE(codes.keyPress(std::nullopt, true));
}

TEST(CharacterCodes, TheSystemsOwnCharacterOfTheSequenceIsSwallowedWhereItComes)
{
    CharacterCodes codes(true);
    codes.keyPress(6, true);
    codes.keyPress(5, true);
    EXPECT_EQ(codes.altReleased(false), 65);
    EXPECT_TRUE(codes.keyPress(std::nullopt, false)); // the system's "A"
    EXPECT_FALSE(codes.keyPress(std::nullopt, false)); // the user's next key
}

} // namespace
