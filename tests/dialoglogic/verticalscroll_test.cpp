#include "model/richtext.h"
#include "support/modelfixture.h"
#include "ui/dialogs/verticalscroll.h"

#include <gtest/gtest.h>
#include <memory>

using namespace marquis;
using namespace marquis::testing;

namespace {

const std::string Lead = "\\sb90\\sa90 ";
const std::string Par = "\\par\r\n";

std::string plain(const std::string& text)
{
    return Lead + "\\f0 \\cf0 " + text;
}

std::string blinking(const std::string& text)
{
    return Lead + "\\f65 \\cf0 " + text;
}

class VerticalScrollTest : public ModelTest {
protected:
    VerticalScrollTest()
    {
        message.MessageNumber = 7;
        message.UnitLines = 4;
        message.CurrentLine = 1;
    }

    VerticalScrollDialog& open()
    {
        dialog = std::make_unique<VerticalScrollDialog>(message, ui);
        return *dialog;
    }

    // A message already scrolled vertically: its blocks on line 1.
    void makeVertical(const std::string& text, const std::string& block = "0,0")
    {
        message.line(1).LineText = text;
        message.line(1).LineBlock = block;
        message.BlockWait = "10";
        message.VerticalScrollOn = true;
    }

    // OK with a refusal: the message is as it was and the user was told `text`.
    void expectRefused(const std::string& text)
    {
        const CurrentMessage before = message;
        ui.messages.clear();
        EXPECT_EQ(dialog->ok(), VerticalOk::Refused);
        EXPECT_EQ(message, before);
        ASSERT_EQ(ui.messageTexts(), std::vector<std::string> { text });
        EXPECT_EQ(ui.messages[0].buttons, Buttons::Ok);
    }

    CurrentMessage message;
    std::unique_ptr<VerticalScrollDialog> dialog;
};

constexpr VerticalControl Options[] = { VerticalControl::optRepeat, VerticalControl::txtRepeat,
    VerticalControl::lblRepeat, VerticalControl::optNonstop, VerticalControl::chkLock,
    VerticalControl::hsbRate, VerticalControl::lblSpeed, VerticalControl::lblSample };

TEST_F(VerticalScrollTest, OpensOffWithEverythingButOnAndOffDisabled)
{
    message.line(1).LineText = plain("HELLO");
    VerticalScrollDialog& d = open();
    EXPECT_EQ(d.caption(), "Vertical scroll ");
    EXPECT_FALSE(d.isOn());
    EXPECT_EQ(d.speedLabel(), "Speed  normal");
    EXPECT_EQ(d.sliderPosition(), 4);
    EXPECT_FALSE(d.timerRunning());
    for (const VerticalControl control : Options)
        EXPECT_FALSE(d.enabled(control)) << static_cast<int>(control);
}

TEST_F(VerticalScrollTest, OpensOnAVerticalMessageWithItsCountLockAndSpeed)
{
    makeVertical(plain("ONE") + Par + plain("TWO"), "0, 3 ");
    message.BlockWait = "20";
    message.LockOn = "ON";
    message.LockOff = "OFF";
    VerticalScrollDialog& d = open();
    EXPECT_TRUE(d.isOn());
    EXPECT_TRUE(d.repeats());
    EXPECT_EQ(d.repeatText(), "3");
    EXPECT_TRUE(d.locked());
    EXPECT_EQ(d.sliderPosition(), 3);
    EXPECT_EQ(d.speedLabel(), "SLOW");
    EXPECT_TRUE(d.timerRunning());
    EXPECT_EQ(d.tickInterval(), 2000);
    for (const VerticalControl control : Options)
        EXPECT_TRUE(d.enabled(control)) << static_cast<int>(control);

    // Until the next message: no count, no lock.
    d.chooseNonstop();
    EXPECT_FALSE(d.locked());
    EXPECT_FALSE(d.enabled(VerticalControl::chkLock));
    EXPECT_FALSE(d.enabled(VerticalControl::txtRepeat));
    d.chooseOff();
    EXPECT_FALSE(d.timerRunning());
    EXPECT_FALSE(d.enabled(VerticalControl::hsbRate));
}

TEST_F(VerticalScrollTest, ACountOfZeroOpensUntilTheNextMessage)
{
    makeVertical(plain("ONE"), "0,0");
    VerticalScrollDialog& d = open();
    EXPECT_TRUE(d.isOn());
    EXPECT_FALSE(d.repeats());
    EXPECT_EQ(d.repeatText(), "");
    EXPECT_FALSE(d.enabled(VerticalControl::txtRepeat));
    EXPECT_FALSE(d.enabled(VerticalControl::chkLock));
}

TEST_F(VerticalScrollTest, ThePreviewMovesTheThreePiecesUpEndlessly)
{
    VerticalScrollDialog& d = open();
    d.chooseOn();
    d.moveSlider(6);
    EXPECT_EQ(d.speedLabel(), "FASTER");
    EXPECT_EQ(d.tickInterval(), 300);
    std::vector<std::pair<std::string, std::string>> rows;
    for (int i = 0; i < 7; ++i) {
        d.tick();
        rows.emplace_back(d.topRow(), d.bottomRow());
    }
    const std::vector<std::pair<std::string, std::string>> expected = {
        { "", "This is sample text" },
        { "This is sample text", "for vertical scroll" },
        { "for vertical scroll", " speed adjustment!" },
        { " speed adjustment!", "This is sample text" },
        { "This is sample text", "for vertical scroll" },
        { "for vertical scroll", " speed adjustment!" },
        { " speed adjustment!", "This is sample text" },
    };
    EXPECT_EQ(rows, expected);
    // On again starts the sample from its beginning.
    d.chooseOn();
    EXPECT_EQ(d.topRow(), "");
    d.tick();
    EXPECT_EQ(d.bottomRow(), "This is sample text");
}

TEST_F(VerticalScrollTest, OnMergesTheLinesIntoBlocksOfLineOne)
{
    message.CurrentLine = 3;
    message.line(1).LineText = plain("FIRST");
    message.line(3).LineText = plain("THIRD");
    message.line(4).LineText = plain("FOURTH");
    VerticalScrollDialog& d = open();
    d.chooseOn();
    d.chooseRepeat();
    d.setRepeatText("3");
    d.setLock(true);
    d.moveSlider(5);
    EXPECT_EQ(d.ok(), VerticalOk::Done);
    // One block per line, in order; the empty line 2 adds none.
    EXPECT_EQ(GetText(message.line(1).LineText), "FIRST\r\nTHIRD\r\nFOURTH");
    EXPECT_EQ(message.line(1).LineText,
        plain("FIRST") + Par + "\\f0 \\cf0 THIRD" + Par + "\\f0 \\cf0 FOURTH");
    for (int i = 2; i <= 4; ++i)
        EXPECT_EQ(GetText(message.line(i).LineText), "") << i;
    EXPECT_EQ(message.CurrentLine, 1);
    EXPECT_EQ(message.line(1).LineBlock, "0,3");
    EXPECT_EQ(message.BlockWait, "6");
    EXPECT_EQ(message.LockOn, "ON");
    EXPECT_EQ(message.LockOff, "OFF");
    EXPECT_TRUE(message.VerticalScrollOn);
    EXPECT_FALSE(message.BlockScrollOn);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(VerticalScrollTest, AnEmptyLineOneTakesTheNextLineWithoutABlockEnd)
{
    message.UnitLines = 2;
    message.line(2).LineText = plain("SECOND");
    VerticalScrollDialog& d = open();
    d.chooseOn();
    d.setLock(true); // no count: the lock does not apply
    EXPECT_EQ(d.ok(), VerticalOk::Done);
    EXPECT_EQ(GetText(message.line(1).LineText), "SECOND");
    EXPECT_EQ(message.line(1).LineText.find("\\par"), std::string::npos);
    EXPECT_EQ(message.line(1).LineBlock, "0,0");
    EXPECT_EQ(message.BlockWait, "10");
    EXPECT_EQ(message.LockOn, "");
    EXPECT_EQ(message.LockOff, "");
}

TEST_F(VerticalScrollTest, RepeatCountsAreOneTo255WithoutLeadingZeros)
{
    message.line(1).LineText = plain("HELLO");
    VerticalScrollDialog& d = open();
    d.chooseOn();
    d.chooseRepeat();
    const std::string text(verticalscroll::BadCount);
    // "00" would play until the next message (and lock the unit with the lock); "3)" would
    // break the statement.
    for (const char* count : { "", "0", "00", "007", "3)", " 3", "99999", "256", "-1" }) {
        d.setRepeatText(count);
        SCOPED_TRACE(count);
        expectRefused(text);
    }
    for (const char* count : { "1", "255" })
        EXPECT_TRUE(isRepeatCount(count)) << count;
    d.setRepeatText("255");
    EXPECT_EQ(d.ok(), VerticalOk::Done);
    EXPECT_EQ(message.line(1).LineBlock, "0,255");

    EXPECT_TRUE(acceptsRepeatKey('7'));
    EXPECT_TRUE(acceptsRepeatKey(8));
    EXPECT_FALSE(acceptsRepeatKey(')'));
    EXPECT_FALSE(acceptsRepeatKey('-'));
}

TEST_F(VerticalScrollTest, OffIgnoresTheCountAndClearsTheLock)
{
    makeVertical(plain("ONLY ONE BLOCK"), "0,5");
    message.LockOn = "ON";
    message.LockOff = "OFF";
    VerticalScrollDialog& d = open();
    d.setRepeatText("3)");
    d.chooseOff();
    EXPECT_EQ(d.ok(), VerticalOk::Done);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(message.line(1).LineText, plain("ONLY ONE BLOCK"));
    EXPECT_EQ(message.line(1).LineBlock, "");
    EXPECT_EQ(message.BlockWait, "");
    EXPECT_FALSE(message.VerticalScrollOn);
    EXPECT_EQ(message.LockOn, "");
    EXPECT_EQ(message.LockOff, "");
}

TEST_F(VerticalScrollTest, OffOnAMessageOfSeveralBlocksLeavesThemToTheChooser)
{
    makeVertical(plain("ONE") + Par + plain("TWO"));
    const CurrentMessage before = message;
    VerticalScrollDialog& d = open();
    d.chooseOff();
    EXPECT_EQ(d.ok(), VerticalOk::OpenChooser);
    EXPECT_EQ(message, before);
}

TEST_F(VerticalScrollTest, OffKeepsAnotherLinesHorizontalBlocks)
{
    message.line(1).LineText = plain("TITLE");
    message.line(2).LineText = plain("FIRST BLOCK") + Par + plain("SECOND BLOCK");
    message.line(2).LineBlock = "0,2";
    message.BlockWait = "20";
    message.BlockScrollOn = true;
    message.LockOn = "ON";
    message.LockOff = "OFF";
    const CurrentMessage before = message;
    VerticalScrollDialog& d = open();
    EXPECT_FALSE(d.isOn());
    EXPECT_EQ(d.ok(), VerticalOk::Done);
    EXPECT_EQ(message, before);

    // The blocks are still written with their rate.
    const CurrentMessage read = writeAndRead(message);
    EXPECT_EQ(read.line(2).LineBlock, "0,2");
    EXPECT_EQ(read.BlockWait, "20");
    EXPECT_TRUE(read.BlockScrollOn);
}

TEST_F(VerticalScrollTest, OnIsRefusedWhileAnotherLineScrollsHorizontally)
{
    const std::string text(verticalscroll::HorizontalLine);
    message.line(1).LineText = plain("TITLE");
    message.line(2).LineText = plain("A CONTINUOUS LINE THAT IS LONG");
    message.line(2).LineScroll = "25,0";
    open().chooseOn();
    expectRefused(text);

    message.line(2).LineScroll.clear();
    message.line(2).LineText = plain("FIRST BLOCK") + Par + plain("SECOND BLOCK");
    message.line(2).LineBlock = "0,0";
    message.BlockWait = "10";
    message.BlockScrollOn = true;
    open().chooseOn();
    expectRefused(text);

    // A stale flag without a block line does not stop it, and is cleared.
    message.line(2).LineText = plain("PLAIN");
    message.line(2).LineBlock.clear();
    open().chooseOn();
    EXPECT_EQ(dialog->ok(), VerticalOk::Done);
    EXPECT_FALSE(message.BlockScrollOn);
    EXPECT_TRUE(message.VerticalScrollOn);
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(message.line(i).LineScroll, "") << i;
    EXPECT_EQ(writeAndRead(message).VerticalScrollOn, true);
}

TEST_F(VerticalScrollTest, BlinkingTextOfAMergedLineKeepsItsRate)
{
    message.UnitLines = 2;
    message.line(1).LineText = plain("STEADY");
    message.line(2).LineText = blinking("BLINKING");
    message.line(2).LineBlink = "40,ON";
    open().chooseOn();
    EXPECT_EQ(dialog->ok(), VerticalOk::Done);
    EXPECT_EQ(message.line(1).LineBlink, "40,ON");
    EXPECT_EQ(message.line(2).LineBlink, "");
    writer.SubMake(message);
    EXPECT_EQ(message.MessageScript.find("CALL BLINK()"), std::string::npos)
        << message.MessageScript;
    EXPECT_NE(message.MessageScript.find("CALL BLINK(40"), std::string::npos)
        << message.MessageScript;
}

TEST_F(VerticalScrollTest, BlockLinesAlwaysHaveARate)
{
    message.line(2).LineBlock = "0,0";
    giveBlocksARate(message);
    EXPECT_EQ(message.BlockWait, "10");
    message.BlockWait = "30";
    giveBlocksARate(message);
    EXPECT_EQ(message.BlockWait, "30");
    CurrentMessage none;
    giveBlocksARate(none);
    EXPECT_EQ(none.BlockWait, "");
}

TEST_F(VerticalScrollTest, WhatOkStoresIsWrittenAndReadBackUnchanged)
{
    message.line(1).LineText = plain("THE FIRST LINE");
    message.line(2).LineText = blinking("BLINKING TWO");
    message.line(2).LineBlink = "25,ON";
    message.line(4).LineText = plain("LAST");
    VerticalScrollDialog& d = open();
    d.chooseOn();
    d.chooseRepeat();
    d.setRepeatText("12");
    d.setLock(true);
    d.moveSlider(2);
    ASSERT_EQ(d.ok(), VerticalOk::Done);

    const CurrentMessage stored = message;
    const CurrentMessage read = writeAndRead(message);
    EXPECT_EQ(read.line(1).LineText, stored.line(1).LineText);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(GetText(read.line(i).LineText), GetText(stored.line(i).LineText)) << i;
        EXPECT_EQ(read.line(i).LineBlock, stored.line(i).LineBlock) << i;
        EXPECT_EQ(read.line(i).LineBlink, stored.line(i).LineBlink) << i;
        EXPECT_EQ(read.line(i).LineScroll, stored.line(i).LineScroll) << i;
    }
    EXPECT_EQ(read.BlockWait, "30");
    EXPECT_EQ(read.LockOn, "ON");
    EXPECT_EQ(read.LockOff, "OFF");
    EXPECT_TRUE(read.VerticalScrollOn);
    EXPECT_FALSE(read.BlockScrollOn);

    // Opened again, the dialog shows what was chosen.
    message = read;
    VerticalScrollDialog& again = open();
    EXPECT_TRUE(again.isOn());
    EXPECT_EQ(again.repeatText(), "12");
    EXPECT_TRUE(again.locked());
    EXPECT_EQ(again.sliderPosition(), 2);
}

} // namespace
