#include "model/richtext.h"
#include "support/modelfixture.h"
#include "ui/dialogs/horizontalscroll.h"

#include <gtest/gtest.h>
#include <optional>

using namespace marquis;
using namespace marquis::testing;

namespace {

const std::string Lead = "\\sb90\\sa90 ";
const std::string Par = "\\par\r\n";

std::string plain(const std::string& text)
{
    return Lead + "\\f0 \\cf0 " + text;
}

// The visible text of each block of a line.
std::vector<std::string> blockTexts(const std::string& rich)
{
    std::vector<std::string> texts;
    for (const std::string& block : splitBlocks(rich))
        texts.push_back(GetText(block));
    return texts;
}

const std::string FortyFive = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ABCDEFGHI";

class HorizontalScrollTest : public ::testing::Test {
protected:
    HorizontalScrollTest()
    {
        message.UnitLines = 4;
        message.CurrentLine = 2;
        message.line(2).LineText = plain("SHORT LINE");
    }

    HorizontalScrollDialog& open()
    {
        dialog.emplace(message, ui);
        return *dialog;
    }

    // Opens the dialog, chooses a scroll type with a typed count and presses OK.
    ScrollOkResult okWithCount(ScrollType type, const std::string& count)
    {
        open();
        if (type == ScrollType::Continuous)
            dialog->chooseContinuous();
        else if (type == ScrollType::BlockByBlock)
            dialog->chooseBlocks();
        dialog->chooseRepeat();
        dialog->setRepeatText(count);
        return dialog->ok();
    }

    CurrentMessage message;
    FakeUserInterface ui;
    std::optional<HorizontalScrollDialog> dialog;
};

TEST_F(HorizontalScrollTest, LoadReadsTheLinesScrollBack)
{
    message.line(2).LineScroll = "9,3";
    message.LockOn = "ON";
    message.LockOff = "OFF";
    HorizontalScrollDialog& continuous = open();
    EXPECT_EQ(continuous.caption(), "Horizontal scroll on line  2");
    EXPECT_EQ(continuous.scrollType(), ScrollType::Continuous);
    EXPECT_EQ(continuous.speedWord(), "FASTER");
    EXPECT_EQ(continuous.tickInterval(), 90) << "ten times the stored rate";
    EXPECT_EQ(continuous.repeatMode(), RepeatMode::Times);
    EXPECT_EQ(continuous.repeatText(), "3");
    EXPECT_TRUE(continuous.lockChecked());
    EXPECT_TRUE(continuous.timerRunning());
    EXPECT_EQ(ui.busyChanges, std::vector<bool> { false });

    message = CurrentMessage();
    message.CurrentLine = 1;
    message.line(1).LineText = plain("ONE") + Par + "TWO";
    message.line(1).LineBlock = "0,0";
    message.BlockScrollOn = true;
    message.BlockWait = "9";
    HorizontalScrollDialog& blocks = open();
    EXPECT_EQ(blocks.scrollType(), ScrollType::BlockByBlock);
    EXPECT_EQ(blocks.speedWord(), "NORMAL") << "a block rate of 9";
    EXPECT_EQ(blocks.tickInterval(), 900);
    EXPECT_EQ(blocks.repeatMode(), RepeatMode::Nonstop);
    EXPECT_EQ(blocks.repeatText(), "");
    EXPECT_FALSE(blocks.enabled(ScrollControl::txtRepeat));
    EXPECT_FALSE(blocks.enabled(ScrollControl::chkLock));
}

TEST_F(HorizontalScrollTest, OffDisablesEverythingButTheTypes)
{
    message.line(2).LineBlock = "0,2";
    message.VerticalScrollOn = true; // blocks of a vertical message are not this dialog's
    HorizontalScrollDialog& d = open();
    EXPECT_EQ(d.scrollType(), ScrollType::Off);
    EXPECT_EQ(d.repeatMode(), RepeatMode::None);
    EXPECT_EQ(d.sliderPosition(), 4);
    EXPECT_EQ(d.speedWord(), "NORMAL");
    EXPECT_FALSE(d.timerRunning());
    for (const ScrollControl control : { ScrollControl::optRepeat, ScrollControl::optNonstop,
             ScrollControl::txtRepeat, ScrollControl::chkLock, ScrollControl::lblRepeat,
             ScrollControl::txtSample, ScrollControl::lblSpeed, ScrollControl::hsbRate })
        EXPECT_FALSE(d.enabled(control)) << static_cast<int>(control);

    // Choosing a scroll type brings a count with it: until the next message.
    d.chooseContinuous();
    EXPECT_EQ(d.repeatMode(), RepeatMode::Nonstop);
    EXPECT_TRUE(d.enabled(ScrollControl::hsbRate));
    EXPECT_FALSE(d.enabled(ScrollControl::txtRepeat));
    d.chooseRepeat();
    EXPECT_TRUE(d.enabled(ScrollControl::txtRepeat));
    EXPECT_TRUE(d.enabled(ScrollControl::chkLock));
}

TEST_F(HorizontalScrollTest, TheSliderSetsWordAndTickOfTheChosenType)
{
    HorizontalScrollDialog& d = open();
    d.chooseContinuous();
    d.moveSlider(7);
    EXPECT_EQ(d.speedWord(), "FASTEST");
    EXPECT_EQ(d.tickInterval(), 40);
    d.chooseBlocks();
    d.moveSlider(1);
    EXPECT_EQ(d.speedWord(), "SLOWEST");
    EXPECT_EQ(d.tickInterval(), 5000);
    d.moveSlider(12);
    EXPECT_EQ(d.sliderPosition(), 7);
}

TEST_F(HorizontalScrollTest, PreviewRunsTheSampleThroughOneDisplayLine)
{
    HorizontalScrollDialog& d = open();
    d.chooseContinuous();
    EXPECT_EQ(d.preview(), std::string(20, ' '));
    d.tick();
    EXPECT_EQ(d.preview(), std::string(19, ' ') + "T");
    for (int i = 0; i < 19; ++i)
        d.tick();
    EXPECT_EQ(d.preview(), "This is sample text ");
    // After the whole sample (62 characters) it starts again.
    for (int i = 0; i < 62; ++i)
        d.tick();
    EXPECT_EQ(d.preview(), "This is sample text ");

    d.chooseBlocks();
    d.tick();
    EXPECT_EQ(d.preview(), "  Horizontal block");
    d.tick();
    EXPECT_EQ(d.preview(), "  speed adjustment.");
    d.chooseOff();
    EXPECT_EQ(d.preview(), "");
}

TEST_F(HorizontalScrollTest, RepeatCountsAreOneTo255WithoutLeadingZeros)
{
    const std::string required(horizontalscroll::CountRequired);
    const std::string tooLarge(horizontalscroll::CountTooLarge);
    const std::vector<std::pair<std::string, std::string>> refused { { "", required },
        { "0", required }, { "00", required }, { "007", required }, { "3)", required },
        { " 3", required }, { "-1", required }, { "99999", tooLarge }, { "256", tooLarge } };
    for (const auto& [count, text] : refused) {
        for (const ScrollType type : { ScrollType::Continuous, ScrollType::BlockByBlock }) {
            const CurrentMessage before = message;
            ui.messages.clear();
            EXPECT_EQ(okWithCount(type, count), ScrollOkResult::Refused) << count;
            EXPECT_EQ(message, before) << count;
            ASSERT_EQ(ui.messageTexts(), std::vector<std::string> { text }) << count;
            EXPECT_EQ(ui.messages.front().buttons, Buttons::Ok);
        }
    }
    EXPECT_EQ(okWithCount(ScrollType::Continuous, "255"), ScrollOkResult::Done);
    EXPECT_EQ(message.line(2).LineScroll, "25,255");
    EXPECT_EQ(okWithCount(ScrollType::BlockByBlock, "1"), ScrollOkResult::Done);
    EXPECT_EQ(message.line(2).LineBlock, "0,1");

    for (const char key : std::string("0123456789\b"))
        EXPECT_TRUE(acceptsRepeatKey(key)) << key;
    for (const char key : std::string("a )-+. "))
        EXPECT_FALSE(acceptsRepeatKey(key)) << key;
}

TEST_F(HorizontalScrollTest, OffNeedsNoCountAndClearsTheLock)
{
    message.LockOn = "ON";
    message.LockOff = "OFF";
    message.line(2).LineScroll = "25,3";
    HorizontalScrollDialog& d = open();
    d.setRepeatText("00"); // left behind, not checked
    d.chooseOff();
    EXPECT_EQ(d.ok(), ScrollOkResult::Done);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(message.line(2).LineScroll, "");
    EXPECT_EQ(message.LockOn, "");
    EXPECT_EQ(message.LockOff, "");
}

TEST_F(HorizontalScrollTest, TheLockHoldsOnlyALineScrolledANumberOfTimes)
{
    HorizontalScrollDialog& d = open();
    d.chooseContinuous();
    d.chooseRepeat();
    d.setRepeatText("4");
    d.setLock(true);
    EXPECT_EQ(d.ok(), ScrollOkResult::Done);
    EXPECT_EQ(message.LockOn, "ON");
    EXPECT_EQ(message.LockOff, "OFF");

    HorizontalScrollDialog& nonstop = open();
    EXPECT_TRUE(nonstop.lockChecked());
    nonstop.chooseNonstop();
    EXPECT_FALSE(nonstop.lockChecked());
    nonstop.setLock(true); // not reachable from the window: the box is disabled
    EXPECT_EQ(nonstop.ok(), ScrollOkResult::Done);
    EXPECT_EQ(message.LockOn, "");
    EXPECT_EQ(message.LockOff, "");
}

TEST_F(HorizontalScrollTest, ContinuousUntilTheNextMessageAtNormal)
{
    message.line(2).LineBlock = "0,2";
    message.BlockWait = "10";
    message.BlockScrollOn = true;
    HorizontalScrollDialog& d = open();
    d.chooseContinuous();
    d.chooseNonstop();
    EXPECT_EQ(d.ok(), ScrollOkResult::Done);
    EXPECT_EQ(message.line(2).LineScroll, "25,0");
    EXPECT_EQ(message.line(2).LineBlock, "");
    EXPECT_EQ(message.BlockWait, "");
    EXPECT_FALSE(message.BlockScrollOn);
    EXPECT_EQ(message.line(2).LineText, plain("SHORT LINE"));
}

TEST_F(HorizontalScrollTest, ALongContinuousLineSplitsIntoBlocksThatEnd)
{
    message.line(2).LineText = plain(FortyFive);
    message.line(2).LineScroll = "25,3";
    HorizontalScrollDialog& d = open();
    d.chooseBlocks();
    d.moveSlider(5);
    EXPECT_EQ(d.ok(), ScrollOkResult::Done);
    const EditLine& line = message.line(2);
    EXPECT_EQ(blockTexts(line.LineText),
        (std::vector<std::string> { FortyFive.substr(0, 20), FortyFive.substr(20, 20),
            FortyFive.substr(40) }));
    EXPECT_EQ(line.LineText.rfind(Lead, 0), 0u) << line.LineText;
    EXPECT_EQ(line.LineScroll, "");
    EXPECT_EQ(line.LineBlock, "0,3");
    EXPECT_EQ(message.BlockWait, "6");
    EXPECT_TRUE(message.BlockScrollOn);
    EXPECT_FALSE(message.VerticalScrollOn);
}

TEST_F(HorizontalScrollTest, SplittingKeepsBlanksAndBlinkingAtTheCuts)
{
    // A line with blanks: each block ends at the last blank that lets it hold 20.
    message.line(2).LineText = plain("THE OVEN DOOR IS NOW OPEN PLEASE CLOSE IT NOW");
    message.line(2).LineScroll = "25,0";
    HorizontalScrollDialog& words = open();
    words.chooseBlocks();
    ASSERT_EQ(words.ok(), ScrollOkResult::Done);
    EXPECT_EQ(blockTexts(message.line(2).LineText),
        (std::vector<std::string> { "THE OVEN DOOR IS NOW", "OPEN PLEASE CLOSE IT", "NOW" }));

    // A blinking run across position 20 still blinks after the cut.
    message.line(2).LineText = plain("0123456789012345") + "\\f65 \\cf0 BLINKING";
    message.line(2).LineScroll = "25,0";
    message.line(2).LineBlock.clear();
    message.BlockScrollOn = false;
    HorizontalScrollDialog& blink = open();
    blink.chooseBlocks();
    ASSERT_EQ(blink.ok(), ScrollOkResult::Done);
    const std::vector<std::string> blocks = splitBlocks(message.line(2).LineText);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(GetText(blocks[1]), "KING");
    EXPECT_EQ(CheckBlink(blocks[1]), "1") << blocks[1];
}

TEST_F(HorizontalScrollTest, ABlockLineTurnedContinuousIsJoinedWithBlanks)
{
    message.line(2).LineText = plain("HELLO") + Par + "\\qc WORLD";
    message.line(2).LineBlock = "0,0";
    message.BlockScrollOn = true;
    message.BlockWait = "10";
    HorizontalScrollDialog& d = open();
    ASSERT_EQ(d.scrollType(), ScrollType::BlockByBlock);
    d.chooseContinuous();
    EXPECT_EQ(d.ok(), ScrollOkResult::Done);
    EXPECT_EQ(GetText(message.line(2).LineText).find("HELLO"), 0u);
    EXPECT_NE(GetText(message.line(2).LineText).find("WORLD"), std::string::npos);
    EXPECT_EQ(blockTexts(message.line(2).LineText).size(), 1u);
    EXPECT_EQ(message.line(2).LineScroll, "25,0");
    EXPECT_EQ(message.BlockWait, "");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(HorizontalScrollTest, TextBeyond155IsDroppedOnlyWhenTheUserAgrees)
{
    std::string text = plain("BLOCK 01 OF EIGHT XX");
    for (int i = 2; i <= 8; ++i)
        text += Par + "BLOCK 0" + std::to_string(i) + " OF EIGHT XX";
    message.line(2).LineText = text; // 8 blocks of 20: 167 characters once joined
    message.line(2).LineBlock = "0,2";
    message.BlockScrollOn = true;
    message.BlockWait = "10";
    const CurrentMessage before = message;

    ui.answers = { Answer::Cancel };
    HorizontalScrollDialog& d = open();
    d.chooseContinuous();
    EXPECT_EQ(d.ok(), ScrollOkResult::Refused);
    EXPECT_EQ(message, before);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].buttons, Buttons::OkCancel);
    EXPECT_EQ(ui.messages[0].text.rfind(
                  "A continuously scrolled line holds at most 155 characters. The last ", 0),
        0u)
        << ui.messages[0].text;

    ui.answers = { Answer::Ok };
    EXPECT_EQ(d.ok(), ScrollOkResult::Done);
    const std::string kept = GetText(message.line(2).LineText);
    EXPECT_LE(kept.size(), 155u);
    EXPECT_GT(kept.size(), 140u);
    EXPECT_EQ(kept.rfind("BLOCK 01 OF EIGHT XX BLOCK 02", 0), 0u) << kept;
    EXPECT_EQ(message.line(2).LineScroll, "25,2");
}

TEST_F(HorizontalScrollTest, OffOnAShortLineClearsTheStructure)
{
    message.line(2).LineText = plain("FITS IN ONE");
    message.line(2).LineBlock = "0,0";
    message.BlockScrollOn = true;
    message.BlockWait = "10";
    HorizontalScrollDialog& d = open();
    d.chooseOff();
    EXPECT_EQ(d.ok(), ScrollOkResult::Done);
    EXPECT_EQ(message.line(2).LineBlock, "");
    EXPECT_EQ(message.BlockWait, "");
    EXPECT_FALSE(message.BlockScrollOn);
}

TEST_F(HorizontalScrollTest, OffOnALongLineLeavesItsFormToTheChooser)
{
    for (const std::string& text : { plain(FortyFive), plain("ONE") + Par + "TWO" }) {
        message.line(2).LineText = text;
        message.line(2).LineScroll = "25,0";
        const CurrentMessage before = message;
        HorizontalScrollDialog& d = open();
        d.chooseOff();
        EXPECT_EQ(d.ok(), ScrollOkResult::ChooseLongForm);
        EXPECT_EQ(message, before) << "the chooser reads the form the line had";
    }
}

TEST_F(HorizontalScrollTest, LinesThatPlayBlocksAlwaysHaveAPause)
{
    message.CurrentLine = 1;
    message.line(1).LineText = plain("A") + Par + "B";
    message.line(1).LineBlock = "0,0";
    message.VerticalScrollOn = true;
    settleBlockWait(message);
    EXPECT_EQ(message.BlockWait, "10");
    message.BlockWait = "3";
    settleBlockWait(message);
    EXPECT_EQ(message.BlockWait, "3");

    CurrentMessage fixed;
    fixed.line(1).LineBlock = "0,0"; // left over; nothing plays blocks
    settleBlockWait(fixed);
    EXPECT_EQ(fixed.BlockWait, "");
}

class HorizontalScrollRoundTripTest : public ModelTest {
protected:
    CurrentMessage message;
};

TEST_F(HorizontalScrollRoundTripTest, WhatOkStoresIsWrittenAndReadBackUnchanged)
{
    message.MessageNumber = 9;
    message.UnitLines = 4;
    message.line(1).LineText = plain("FIXED");
    message.line(3).LineText = plain(FortyFive);
    message.line(3).LineScroll = "25,0";
    message.CurrentLine = 3;
    {
        HorizontalScrollDialog d(message, ui);
        d.chooseBlocks();
        d.chooseRepeat();
        d.setRepeatText("7");
        d.setLock(true);
        d.moveSlider(2);
        ASSERT_EQ(d.ok(), ScrollOkResult::Done);
    }
    CurrentMessage stored = message;
    CurrentMessage read = writeAndRead(message);
    EXPECT_EQ(read.line(3).LineText, stored.line(3).LineText);
    EXPECT_EQ(read.line(3).LineBlock, "0,7");
    EXPECT_EQ(read.BlockWait, "30");
    EXPECT_TRUE(read.BlockScrollOn);
    EXPECT_EQ(read.LockOn, "ON");
    EXPECT_EQ(read.LockOff, "OFF");
    EXPECT_EQ(read.line(1).LineText, stored.line(1).LineText);

    message.CurrentLine = 3;
    {
        HorizontalScrollDialog d(message, ui);
        ASSERT_EQ(d.scrollType(), ScrollType::BlockByBlock);
        EXPECT_EQ(d.repeatText(), "7");
        d.chooseContinuous();
        d.moveSlider(6);
        ASSERT_EQ(d.ok(), ScrollOkResult::Done);
    }
    stored = message;
    read = writeAndRead(message);
    EXPECT_EQ(read.line(3).LineText, stored.line(3).LineText);
    EXPECT_EQ(read.line(3).LineScroll, "8,7");
    EXPECT_EQ(read.line(3).LineBlock, "");
    EXPECT_EQ(read.BlockWait, "");
    EXPECT_FALSE(read.BlockScrollOn);
    EXPECT_EQ(read.LockOn, "ON");
}

} // namespace
