#include "support/modelfixture.h"
#include "ui/dialogs/blink.h"

#include <gtest/gtest.h>

using namespace marquis;
using namespace marquis::testing;

namespace {

const std::string Lead = "\\sb90\\sa90 ";

std::string plain(const std::string& text)
{
    return "\\f0 \\cf0 " + text;
}

std::string blinking(const std::string& text)
{
    return "\\f65 \\cf0 " + text;
}

std::string variable(int font, const std::string& placeholders)
{
    return "\\f" + std::to_string(font) + " \\cf4 " + placeholders;
}

const std::string Par = "\\par\r\n";

class BlinkDialogTest : public ::testing::Test {
protected:
    BlinkDialogTest()
    {
        message.UnitLines = 4;
        message.CurrentLine = 1;
    }

    // The dialog on line `line` holding `text`, activated as when it is first shown.
    BlinkDialog& open(int line, const std::string& text, const std::string& blink = "")
    {
        message.CurrentLine = static_cast<std::int16_t>(line);
        message.line(line).LineText = text;
        message.line(line).LineBlink = blink;
        dialog = std::make_unique<BlinkDialog>(message);
        dialog->activate();
        return *dialog;
    }

    // The characters of the dialog's line that blink, as a pattern of '*' and '.'.
    std::string pattern() const
    {
        std::string out;
        for (std::size_t i = 0; i < characterCount(dialog->document()); ++i)
            out += dialog->blinking(i) ? '*' : '.';
        return out;
    }

    void highlight(std::size_t from, std::size_t to) { dialog->select({ from, to }, 0); }

    CurrentMessage message;
    std::unique_ptr<BlinkDialog> dialog;
};

TEST_F(BlinkDialogTest, LoadsTheLineIntoOneOfThreeViews)
{
    open(3, Lead + plain("SHORT LINE"));
    EXPECT_EQ(dialog->caption(), "Blink on line  3");
    EXPECT_EQ(dialog->lineFrameCaption(), "Blink line");
    EXPECT_EQ(dialog->editorView(), BlinkEditorView::SingleRow);

    open(1, Lead + plain("TWENTY ONE CHARACTERS"));
    EXPECT_EQ(dialog->editorView(), BlinkEditorView::LongRow);

    message.line(2).LineBlock = "0,0";
    open(2, Lead + plain("FIRST") + Par + plain("SECOND"));
    EXPECT_EQ(dialog->editorView(), BlinkEditorView::Blocks);
    EXPECT_EQ(dialog->lineFrameCaption(), "Blink block");

    // A line without text shows one empty paragraph, and OK leaves its text as it was.
    open(4, "");
    EXPECT_EQ(dialog->editorView(), BlinkEditorView::SingleRow);
    ASSERT_EQ(dialog->document().blocks.size(), 1u);
    EXPECT_EQ(characterCount(dialog->document()), 0u);
    dialog->ok();
    EXPECT_EQ(message.line(4).LineText, "");
    EXPECT_EQ(message.line(4).LineBlink, "");
}

TEST_F(BlinkDialogTest, ActivationSetsTheOptionAndTheSliderFromTheLineOnce)
{
    open(1, Lead + plain("HELLO"));
    EXPECT_FALSE(dialog->isOn());
    EXPECT_FALSE(dialog->timerRunning());
    for (const BlinkControl control : { BlinkControl::txtEdit, BlinkControl::cmdSecOn,
             BlinkControl::cmdSecOff, BlinkControl::cmdAllOn, BlinkControl::cmdAllOff,
             BlinkControl::hsbBlink, BlinkControl::lblRate, BlinkControl::lblBlink })
        EXPECT_FALSE(dialog->enabled(control)) << static_cast<int>(control);

    // A rate that reads back as the slider's own position keeps its own tick until the
    // slider moves.
    open(1, Lead + blinking("HELLO"), "20,1");
    EXPECT_TRUE(dialog->isOn());
    EXPECT_TRUE(dialog->timerRunning());
    EXPECT_EQ(dialog->sliderPosition(), 4);
    EXPECT_EQ(dialog->speedWord(), "NORMAL");
    EXPECT_EQ(dialog->tickInterval(), 200);
    EXPECT_TRUE(dialog->enabled(BlinkControl::hsbBlink));

    open(1, Lead + blinking("HELLO"), "70,ON");
    EXPECT_EQ(dialog->sliderPosition(), 2);
    EXPECT_EQ(dialog->speedWord(), "SLOWER");
    EXPECT_EQ(dialog->tickInterval(), 700);

    // The user's choices survive a second activation (after Help or a message box).
    dialog->chooseOff();
    dialog->activate();
    EXPECT_FALSE(dialog->isOn());
    dialog->chooseOn();
    dialog->moveSlider(6);
    dialog->activate();
    EXPECT_EQ(dialog->sliderPosition(), 6);
    EXPECT_EQ(dialog->speedWord(), "FASTER");
    EXPECT_EQ(dialog->tickInterval(), 100);
}

TEST_F(BlinkDialogTest, PreviewTickFlashesTheWordAndSetsTheButtonsFromTheHighlight)
{
    open(1, Lead + plain("AB ") + blinking("CD"), "25,1");
    dialog->moveSlider(5);
    dialog->tick();
    EXPECT_EQ(dialog->blinkLabel(), "");
    dialog->tick();
    EXPECT_EQ(dialog->blinkLabel(), "FAST");
    dialog->tick();
    EXPECT_EQ(dialog->blinkLabel(), "");
    // Without a highlight only the line's buttons act.
    EXPECT_FALSE(dialog->enabled(BlinkControl::cmdSecOn));
    EXPECT_FALSE(dialog->enabled(BlinkControl::cmdSecOff));
    EXPECT_TRUE(dialog->enabled(BlinkControl::cmdAllOn));
    EXPECT_TRUE(dialog->enabled(BlinkControl::cmdAllOff));

    highlight(0, 2); // steady
    dialog->tick();
    EXPECT_TRUE(dialog->enabled(BlinkControl::cmdSecOn));
    EXPECT_FALSE(dialog->enabled(BlinkControl::cmdSecOff));
    EXPECT_FALSE(dialog->enabled(BlinkControl::cmdAllOn));
    EXPECT_FALSE(dialog->enabled(BlinkControl::cmdAllOff));

    highlight(3, 5); // blinking: the other section button keeps its state
    dialog->tick();
    EXPECT_TRUE(dialog->enabled(BlinkControl::cmdSecOff));
    EXPECT_TRUE(dialog->enabled(BlinkControl::cmdSecOn));

    dialog->select({}, 0); // the caret moves: the highlight stays
    dialog->tick();
    EXPECT_FALSE(dialog->enabled(BlinkControl::cmdAllOn));
    EXPECT_EQ(dialog->highlight(), (CharacterSpan { 3, 5 }));

    dialog->sectionOff();
    dialog->tick();
    EXPECT_FALSE(dialog->enabled(BlinkControl::cmdSecOn));
    EXPECT_FALSE(dialog->enabled(BlinkControl::cmdSecOff));
    EXPECT_TRUE(dialog->enabled(BlinkControl::cmdAllOn));
}

TEST_F(BlinkDialogTest, SectionAndLineButtonsChangeBlinkAndHighlight)
{
    open(1, Lead + plain("HELLO WORLD"), "25,1");
    highlight(6, 11);
    dialog->sectionOn();
    EXPECT_EQ(pattern(), "......*****");
    EXPECT_EQ(dialog->highlight(), (CharacterSpan { 6, 11 }));
    highlight(4, 8);
    dialog->sectionOff();
    EXPECT_EQ(pattern(), "........***");
    EXPECT_TRUE(dialog->highlight().empty());
    // Without a highlight the section buttons do nothing.
    dialog->sectionOn();
    EXPECT_EQ(pattern(), "........***");

    dialog->allOn();
    EXPECT_EQ(pattern(), "***********");
    dialog->allOff();
    EXPECT_EQ(pattern(), "...........");
    highlight(0, 3);
    dialog->sectionOn();
    dialog->clear();
    EXPECT_EQ(pattern(), "...........");
    EXPECT_TRUE(dialog->highlight().empty());
}

TEST_F(BlinkDialogTest, LineButtonsOfABlockLineTakeTheCaretsBlockFromItsFirstCharacter)
{
    message.line(2).LineBlock = "0,1";
    open(2, Lead + plain("ONE") + Par + plain("  TWO") + Par + plain("THREE"), "25,1");
    dialog->select({ 5, 5 }, 1);
    dialog->allOn();
    EXPECT_EQ(pattern(), ".....***.....");
    dialog->select({ 10, 10 }, 2);
    dialog->allOn();
    dialog->select({ 0, 0 }, 1);
    dialog->allOff();
    EXPECT_EQ(pattern(), "........*****");
}

// Part of a variable made blinking would split it into two fields of the writer, each cut
// short; the whole variable changes instead.
TEST_F(BlinkDialogTest, VariablesBlinkOrStayWhole)
{
    open(1, Lead + plain("T ") + variable(1, "####") + plain(" C"), "25,1");
    highlight(2, 4);
    dialog->sectionOn();
    EXPECT_EQ(pattern(), "..****..");
    highlight(5, 7);
    dialog->sectionOff();
    EXPECT_EQ(pattern(), "........");
    highlight(1, 3);
    dialog->ok();
    EXPECT_EQ(message.line(1).LineText, Lead + plain("T") + blinking(" ") + variable(17, "####") +
            plain(" C"));
}

TEST_F(BlinkDialogTest, OkStoresTheLineAndGivesEveryBlinkingLineTheNewRate)
{
    message.line(1).LineText = Lead + blinking("ONE");
    message.line(1).LineBlink = "25,ON";
    message.line(2).LineText = Lead + plain("TWO");
    message.line(4).LineText = Lead + blinking("FOUR");
    message.line(4).LineBlink = "25,1";
    open(3, Lead + plain("THREE"));
    dialog->chooseOn();
    dialog->moveSlider(2);
    highlight(0, 2);
    // The caret moved away after highlighting: OK makes the highlighted text blink.
    dialog->select({ 4, 4 }, 0);
    dialog->ok();
    EXPECT_EQ(message.line(3).LineText, Lead + blinking("TH") + plain("REE"));
    EXPECT_EQ(message.line(3).LineBlink, "70,1");
    EXPECT_EQ(message.line(1).LineBlink, "70,ON");
    EXPECT_EQ(message.line(2).LineBlink, "");
    EXPECT_EQ(message.line(4).LineBlink, "70,1");
}

TEST_F(BlinkDialogTest, OkWithoutBlinkingTextClearsOnlyThisLinesRate)
{
    message.line(2).LineBlink = "40,1";
    open(1, Lead + blinking("GONE"), "40,1");
    dialog->clear();
    dialog->ok();
    EXPECT_EQ(message.line(1).LineText, Lead + plain("GONE"));
    EXPECT_EQ(message.line(1).LineBlink, "");
    EXPECT_EQ(message.line(2).LineBlink, "40,1");

    // "Off" makes the whole line steady, whatever the marking.
    open(1, Lead + blinking("AB") + variable(49, "##"), "40,1");
    dialog->chooseOff();
    dialog->ok();
    EXPECT_EQ(message.line(1).LineText, Lead + plain("AB") + variable(33, "##"));
    EXPECT_EQ(message.line(1).LineBlink, "");
}

TEST_F(BlinkDialogTest, CancelLeavesTheMessageAsItWas)
{
    message.line(2).LineBlink = "25,ON";
    open(1, Lead + plain("KEEP ME"), "25,1");
    const CurrentMessage before = message;
    highlight(0, 4);
    dialog->sectionOn();
    dialog->moveSlider(7);
    dialog->allOn();
    dialog.reset();
    EXPECT_EQ(message, before);
}

// A literal backslash in the text is text: nothing before it is taken for control words.
TEST_F(BlinkDialogTest, LiteralControlWordsInTheTextSurviveOk)
{
    const std::string text = Lead + plain("A\\\\fs30 B");
    open(1, text);
    dialog->chooseOn();
    dialog->ok();
    EXPECT_EQ(message.line(1).LineText, text);

    open(1, text);
    dialog->chooseOn();
    highlight(7, 8);
    dialog->ok();
    EXPECT_EQ(message.line(1).LineText, Lead + plain("A\\\\fs30 ") + blinking("B"));
    EXPECT_EQ(message.line(1).LineBlink, "25,1");
}

TEST_F(BlinkDialogTest, DoubleClickSelectsAWordBoundedByBlanksAndFonts)
{
    message.line(1).LineBlock = "0,0";
    open(1, Lead + plain("AB CD") + blinking("EF") + plain("G") + Par + plain("HI"), "25,1");
    EXPECT_EQ(dialog->wordAt(0), (CharacterSpan { 0, 2 }));
    EXPECT_EQ(dialog->wordAt(4), (CharacterSpan { 3, 5 }));
    EXPECT_EQ(dialog->wordAt(5), (CharacterSpan { 5, 7 }));
    EXPECT_EQ(dialog->wordAt(7), (CharacterSpan { 7, 8 }));
    EXPECT_EQ(dialog->wordAt(8), (CharacterSpan { 8, 10 }));
    EXPECT_TRUE(dialog->wordAt(2).empty());
    EXPECT_TRUE(dialog->wordAt(10).empty());
    dialog->selectWordAt(6);
    EXPECT_EQ(dialog->highlight(), (CharacterSpan { 5, 7 }));
    dialog->sectionOff();
    EXPECT_EQ(pattern(), "..........");
}

class BlinkRoundTripTest : public ModelTest {
protected:
    CurrentMessage message;
};

TEST_F(BlinkRoundTripTest, WhatOkStoresIsWrittenAndReadBackUnchanged)
{
    message.MessageNumber = 12;
    message.UnitLines = 4;
    message.CurrentLine = 2;
    message.line(1).LineText = Lead + plain("STEADY ") + blinking("ONE");
    message.line(1).LineBlink = "25,ON";
    message.line(2).LineText = Lead + plain("TEMP ") + variable(34, "##.#") + plain(" C");
    BlinkDialog dialog(message);
    dialog.activate();
    dialog.chooseOn();
    dialog.moveSlider(3);
    dialog.select({ 6, 7 }, 0);
    dialog.sectionOn();
    dialog.select({ 0, 4 }, 0);
    dialog.ok();
    EXPECT_EQ(message.line(2).LineText,
        Lead + blinking("TEMP") + plain(" ") + variable(50, "##.#") + plain(" C"));
    EXPECT_EQ(message.line(2).LineBlink, "40,1");
    EXPECT_EQ(message.line(1).LineBlink, "40,ON");

    const CurrentMessage stored = message;
    const CurrentMessage read = writeAndRead(message);
    for (int i = 1; i <= 2; ++i) { // the lines with text; the empty ones stay empty
        EXPECT_EQ(read.line(i).LineText, stored.line(i).LineText) << i;
        EXPECT_EQ(read.line(i).LineBlink, stored.line(i).LineBlink) << i;
    }
    // The variable is one field of four characters, written once.
    const std::string& script = message.MessageScript;
    EXPECT_EQ(script.find("VAR(2)"), script.rfind("VAR(2)")) << script;
}

TEST_F(BlinkRoundTripTest, HalfAVariableMadeBlinkingIsWrittenAsOneField)
{
    message.UnitLines = 2;
    message.line(1).LineText = Lead + variable(1, "####");
    BlinkDialog dialog(message);
    dialog.activate();
    dialog.chooseOn();
    dialog.select({ 0, 2 }, 0);
    dialog.sectionOn();
    dialog.ok();
    writer.SubMake(message);
    const std::string& script = message.MessageScript;
    EXPECT_NE(script.find("    CALL BLINK(25,1)\r\n    PRINT VAR(1, 4);\r\n    CALL BLINK(-1)"),
        std::string::npos)
        << script;
    EXPECT_EQ(script.find("PRINT VAR"), script.rfind("PRINT VAR")) << script;
}

} // namespace
