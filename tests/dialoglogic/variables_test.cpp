#include "model/richtext.h"
#include "support/messagegenerator.h"
#include "support/modelfixture.h"
#include "ui/dialogs/variables.h"

#include <gtest/gtest.h>

using namespace marquis;
using namespace marquis::testing;

namespace {

constexpr std::string_view Lead = "\\sb90\\sa90 ";

std::string plain(std::string_view text)
{
    return std::string(Lead) + "\\f0 \\cf0 " + std::string(text);
}

class VariablesDialogTest : public ModelTest {
protected:
    VariablesDialogTest()
    {
        message.CurrentLine = 2;
        message.PlaceholderChar = "#";
        for (int i = 1; i <= MaxUnitLines; ++i)
            message.line(i).LineLabel = static_cast<std::int16_t>(i);
    }

    // Opens the dialog on `line` as line 2 and lets it become active.
    VariablesDialog& open(const std::string& line)
    {
        message.line(2).LineText = line;
        dialog.emplace(message, ui);
        dialog->activate();
        return *dialog;
    }
    std::string& line() { return message.line(2).LineText; }
    std::string lastMessage() { return ui.messages.empty() ? "" : ui.messages.back().text; }

    CurrentMessage message;
    std::optional<VariablesDialog> dialog;
};

TEST_F(VariablesDialogTest, LoadsCaptionAndTableLabels)
{
    VariablesDialog& d = open(plain("T ###"));
    EXPECT_EQ(d.lineFrameCaption(), "Variable on line  2");
    EXPECT_EQ(VariablesDialog::cellLabel(VariablesDialog::variableOfCell(0, 0)), "V1");
    EXPECT_EQ(VariablesDialog::cellLabel(VariablesDialog::variableOfCell(7, 0)), "V8");
    EXPECT_EQ(VariablesDialog::cellLabel(VariablesDialog::variableOfCell(0, 1)), "V9");
    EXPECT_EQ(VariablesDialog::cellLabel(VariablesDialog::variableOfCell(7, 1)), "V16");
    // A line without variables opens with the table off and nothing to clear.
    EXPECT_FALSE(d.variablesOn());
    EXPECT_FALSE(d.clearEnabled());
}

TEST_F(VariablesDialogTest, OpensWithTheLinesVariablesMarked)
{
    VariablesDialog& d = open(plain("A ") + "\\f37 \\cf4 ###\\f0 \\cf0  B \\f18 \\cf4 ##");
    EXPECT_TRUE(d.variablesOn());
    EXPECT_TRUE(d.clearEnabled());
    EXPECT_TRUE(d.marked(5));
    EXPECT_TRUE(d.zeroFilled(5));
    EXPECT_TRUE(d.marked(2));
    EXPECT_FALSE(d.zeroFilled(2));
    for (int v : { 1, 3, 4, 6, 16 })
        EXPECT_FALSE(d.marked(v)) << v;

    // Activation happens once: after a message box or the help window the user's choice holds.
    d.setVariablesOn(false);
    d.activate();
    EXPECT_FALSE(d.variablesOn());
}

TEST_F(VariablesDialogTest, AssignsHighlightedPlaceholdersAndStoresAtOnce)
{
    VariablesDialog& d = open(plain("RATE ##.#"));
    d.setVariablesOn(true);
    d.selectVariable(3);
    EXPECT_EQ(d.status(), "Variable  3");
    EXPECT_FALSE(d.zeroFilled(3));
    EXPECT_EQ(d.assign(3, { 5, 9 }), Assignment::Assigned);
    EXPECT_EQ(line(), plain("RATE ") + "\\f3 \\cf4 ##.#");
    EXPECT_EQ(d.text(), line());
    EXPECT_TRUE(d.marked(3));
    EXPECT_TRUE(d.clearEnabled());

    writer.SubMake(message);
    EXPECT_NE(message.MessageScript.find("    LET A=VAR(3)\r\n    PRINT USING(20,0);A;\r\n"),
        std::string::npos)
        << message.MessageScript;
}

TEST_F(VariablesDialogTest, PlaceholdersInBlinkingTextBecomeABlinkingVariable)
{
    VariablesDialog& d = open(std::string(Lead) + "\\f65 \\cf0 AB##CD");
    d.setVariablesOn(true);
    d.selectVariable(12);
    d.setFill(true);
    EXPECT_EQ(d.assign(12, { 2, 4 }), Assignment::Assigned);
    EXPECT_EQ(fontAt(d.document(), 2), 60);
    EXPECT_EQ(fontAt(d.document(), 3), 60);
    EXPECT_EQ(fontAt(d.document(), 4), BlinkingTextFont);
    EXPECT_TRUE(d.zeroFilled(12));
}

TEST_F(VariablesDialogTest, RefusesHighlightsThatCannotBeAField)
{
    VariablesDialog& d = open(plain("A##.#.# 12345678901234567 ."));
    d.setVariablesOn(true);
    const std::string before = line();
    struct Case {
        EditorSpan highlight;
        const char* message;
    };
    const Case cases[] = {
        { { 0, 3 }, "Selected area doesn't contain variable place holder # only." },
        { { 1, 7 },
            "Selected area holds more than one decimal point. A variable has one at most." },
        { { 26, 27 },
            "Selected area holds no variable place holder #. A variable needs at least one "
            "digit." },
    };
    for (const Case& c : cases) {
        EXPECT_EQ(d.assign(1, c.highlight), Assignment::Refused) << c.message;
        EXPECT_EQ(lastMessage(), c.message);
    }
    EXPECT_EQ(line(), before);
    EXPECT_EQ(d.text(), before);
    EXPECT_FALSE(d.marked(1));
    EXPECT_EQ(d.assign(1, { 3, 3 }), Assignment::NothingHighlighted);
}

// A field with a point is written as 16 times its decimals plus its width, which reads back
// only below a width of 16; a field without one prints up to 20 digits.
TEST_F(VariablesDialogTest, FieldWidthsStayWithinWhatTheScriptExpresses)
{
    VariablesDialog& d = open(plain(std::string(15, '#') + ".# " + std::string(21, '#')));
    d.setVariablesOn(true);
    EXPECT_EQ(d.assign(1, { 0, 17 }), Assignment::Refused);
    EXPECT_EQ(lastMessage(),
        "A variable with a decimal point can be at most 15 characters long, the point "
        "included.");
    EXPECT_EQ(d.assign(1, { 18, 39 }), Assignment::Refused);
    EXPECT_EQ(lastMessage(), "A variable can be at most 20 characters long.");
    EXPECT_EQ(ui.messages.size(), 2u);

    EXPECT_EQ(d.assign(1, { 2, 17 }), Assignment::Assigned);
    EXPECT_EQ(d.assign(2, { 19, 39 }), Assignment::Assigned);
    const CurrentMessage read = writeAndRead(message);
    EXPECT_EQ(GetText(read.line(2).LineText), GetText(line()));
    EXPECT_EQ(read.line(2).LineText, line());
}

TEST_F(VariablesDialogTest, PartOfAFieldReassignsTheWholeFieldKeepingItsBlink)
{
    VariablesDialog& d = open(plain("X ") + "\\f17 \\cf4 ####\\f0 \\cf0  Y");
    d.assign(2, { 3, 5 });
    EXPECT_EQ(line(), plain("X ") + "\\f18 \\cf4 ####\\f0 \\cf0  Y");
    EXPECT_FALSE(d.marked(1));
    EXPECT_TRUE(d.marked(2));

    // A highlight reaching from plain placeholders into a field takes the field in whole too.
    VariablesDialog& e = open(plain("##") + "\\f4 \\cf4 ###");
    EXPECT_EQ(e.assign(6, { 1, 3 }), Assignment::Assigned);
    EXPECT_EQ(line(), plain("#") + "\\f6 \\cf4 ####");
}

TEST_F(VariablesDialogTest, FillChangesEveryOccurrenceAndKeepsItsBlink)
{
    VariablesDialog& d =
        open(plain("N ") + "\\f2 \\cf4 ##\\f0 \\cf0  \\f18 \\cf4 ###\\f0 \\cf0  \\f3 \\cf4 #");
    d.selectVariable(2);
    d.setFill(true);
    EXPECT_EQ(d.text(),
        plain("N ") + "\\f34 \\cf4 ##\\f0 \\cf0  \\f50 \\cf4 ###\\f0 \\cf0  \\f3 \\cf4 #");
    d.setFill(false);
    EXPECT_EQ(d.text(), line());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(VariablesDialogTest, ClearAndOffTurnEveryVariableIntoText)
{
    const std::string withVariables = plain("A ") + "\\f33 \\cf4 ##\\f0 \\cf0  \\f49 \\cf4 #.#";
    VariablesDialog& d = open(withVariables);
    d.clearVariables();
    EXPECT_FALSE(CheckVariable(d.text()));
    EXPECT_FALSE(d.clearEnabled());
    EXPECT_FALSE(d.marked(1));
    EXPECT_EQ(GetText(d.text()), "A ## #.#");
    EXPECT_EQ(fontAt(d.document(), 5), BlinkingTextFont);
    EXPECT_EQ(line(), withVariables); // kept until OK

    VariablesDialog& e = open(withVariables);
    e.setVariablesOn(false);
    e.ok();
    EXPECT_FALSE(CheckVariable(line()));
    EXPECT_EQ(GetText(line()), "A ## #.#");
}

TEST_F(VariablesDialogTest, LeavingOtherwiseThanByOkPutsTheLineBack)
{
    const std::string original = plain("T ## ###");
    VariablesDialog& d = open(original);
    d.setVariablesOn(true);
    d.assign(1, { 2, 4 });
    d.selectVariable(1);
    d.setFill(true);
    EXPECT_NE(line(), original);
    d.cancel();
    EXPECT_EQ(line(), original);
}

TEST_F(VariablesDialogTest, OkKeepsTheLineAsTheDialogLeftIt)
{
    // A literal backslash in the text, followed by what looks like a control word, is text.
    const std::string literal = plain("A\\\\fs30 B ##");
    VariablesDialog& d = open(literal);
    d.ok();
    EXPECT_EQ(line(), literal);

    VariablesDialog& e = open(literal);
    e.setVariablesOn(true);
    EXPECT_EQ(e.assign(7, { 9, 11 }), Assignment::Assigned);
    e.ok();
    EXPECT_EQ(line(), plain("A\\\\fs30 B ") + "\\f7 \\cf4 ##");
    EXPECT_EQ(GetText(line()), "A\\fs30 B ##");
}

TEST_F(VariablesDialogTest, HighlightOverABlockEndIsRefused)
{
    VariablesDialog& d = open(plain("##") + "\\par\r\n" + "\\f0 \\cf0 ##");
    d.setVariablesOn(true);
    EXPECT_EQ(d.assign(1, { 1, 4 }), Assignment::Refused);
    EXPECT_EQ(lastMessage(), "Selected area doesn't contain variable place holder # only.");
    // Positions after the block end count it as one character.
    EXPECT_EQ(d.assign(1, { 3, 5 }), Assignment::Assigned);
    EXPECT_EQ(fontAt(d.document(), 2), 1);
    EXPECT_EQ(fontAt(d.document(), 1), PlainFont);
}

TEST_F(VariablesDialogTest, StatusTextsFollowTheMouseAndTheMode)
{
    VariablesDialog& d = open(plain("A") + "\\f1 \\cf4 #\\f20 \\cf4 #\\f40 \\cf4 #\\f64 \\cf4 #");
    EXPECT_EQ(d.textStatus(0),
        "Highlight only variable place holder characters and then double click on desired "
        "variable in the table below.");
    EXPECT_EQ(d.textStatus(1), "Variable 1, leading spaces.");
    EXPECT_EQ(d.textStatus(2), "Variable 4, leading spaces, blinking.");
    EXPECT_EQ(d.textStatus(3), "Variable 8, leading zeros.");
    EXPECT_EQ(d.textStatus(4), "Variable 16, leading zero, blinking");
    EXPECT_EQ(VariablesDialog::tableStatus(),
        "Double click on desired variable number from the table above in order to assign.");

    EXPECT_EQ(d.toolTip(VariablesControl::On),
        "All controls are enabled. You can edit variable assignments.");
    EXPECT_EQ(d.toolTip(VariablesControl::Off),
        "All controls are enabled. If you want to remove all variable assignments click once "
        "here then press OK.");
    d.setVariablesOn(false);
    EXPECT_EQ(d.toolTip(VariablesControl::On),
        "Click once to enable all controls in this form and start editing.");
    EXPECT_EQ(d.toolTip(VariablesControl::Off),
        "All controls are disabled. If you press OK button all variable assignments if any will "
        "be lost, Cancel will disregard all changes.");
    EXPECT_EQ(d.toolTip(VariablesControl::Clear),
        "Click once to remove all variable assignments. Pressing Cancel will disregard changes, "
        "pressing OK will save changes.");
}

// What the dialog leaves in the line is what the script keeps: written and read back, the
// message has the same fields.
TEST_F(VariablesDialogTest, AssignmentsSurviveWritingAndReading)
{
    message.UnitLines = 4;
    message.line(1).LineText = plain("FIRST");
    // The other lines as the reader leaves them.
    message = writeAndRead(message);
    message.CurrentLine = 2;
    message.line(2).LineBlink = "25,ON";
    VariablesDialog& d = open(plain("T ") + "\\f65 \\cf0 ###.#\\f0 \\cf0  P ##");
    d.setVariablesOn(true);
    d.selectVariable(4);
    d.setFill(true);
    ASSERT_EQ(d.assign(4, { 2, 7 }), Assignment::Assigned);
    ASSERT_EQ(d.assign(9, { 10, 12 }), Assignment::Assigned);
    d.ok();

    const CurrentMessage original = message;
    const CurrentMessage read = writeAndRead(message);
    std::string difference;
    EXPECT_TRUE(sameFields(original, read, difference)) << difference << "\n"
                                                        << message.MessageScript;
    EXPECT_NE(message.MessageScript.find("PRINT USING(21,2);A;"), std::string::npos)
        << message.MessageScript;
}

} // namespace
