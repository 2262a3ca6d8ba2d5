#include "ui/quickedit/linelayout.h"
#include "ui/quickedit/simulation.h"

#include <gtest/gtest.h>

using namespace marquis;

namespace {

const std::string Spacing = "\\sb90\\sa90 ";

std::string blanks(std::size_t n)
{
    return std::string(n, ' ');
}

class SimulationTest : public ::testing::Test {
protected:
    SimulationTest() { message.UnitLines = 4; }

    void setLine(int i, std::string rich) { message.line(i).LineText = Spacing + rich; }

    // Runs Timer1 n times and gives the row after each tick.
    std::vector<std::string> scroll(int n, int row)
    {
        std::vector<std::string> shown;
        for (int k = 0; k < n; ++k) {
            simulation.tickTimer1();
            shown.push_back(simulation.row(row));
        }
        return shown;
    }

    CurrentMessage message;
    Simulation simulation;
};

TEST(LineLayoutTest, BlankingReplacesOnlyBlinkingRuns)
{
    // Blinking text, a blinking variable (font 50) and a steady variable (font 2).
    EXPECT_EQ(blankBlinking("\\f0 \\cf0 Temp \\f65 \\cf0 HOT\\f50 \\cf4 ##.#\\f2 \\cf4 ##"),
        "Temp        ##");
    // The first font word of a run decides, as the blink toggle writes it.
    EXPECT_EQ(blankBlinking("\\f0 \\f65 \\cf0 ab\\f65 \\f0 \\cf0 cd"), "ab  ");
    EXPECT_EQ(blankBlinking("\\f65 \\cf0 a\\\\b"), "   ");
}

TEST(LineLayoutTest, BlankingReadsFontsAsTheWriterDoes)
{
    // "\f-3" names a font (one the writer does not print), so the "\f65" after it does not count.
    EXPECT_EQ(blankBlinking("\\f-3 \\f65 \\cf0 x"), "x");
    EXPECT_EQ(blankBlinking("\\fs20 \\f65 \\cf0 x"), " ");
    // A block end starts a new run: without a font word of its own it is plain.
    EXPECT_EQ(blankBlinking("\\f65 \\cf0 a\\par\r\nb"), " \r\nb");
    // The header group is no part of the line.
    EXPECT_EQ(blankBlinking("\r\n{\\f0 x}\r\n\\f65 \\cf0 ab"), "  ");
}

TEST(LineLayoutTest, BlockCentringFollowsTheMarksInOrder)
{
    const std::string line =
        Spacing + "\\qc \\f0 \\cf0 one\\par\r\ntwo\\par\r\n\\ql three\\par\r\n\\qc four";
    EXPECT_TRUE(centringOfBlock(line, 0));
    EXPECT_TRUE(centringOfBlock(line, 1)); // carried from the block before
    EXPECT_FALSE(centringOfBlock(line, 2));
    EXPECT_TRUE(centringOfBlock(line, 3));
    EXPECT_FALSE(blockCentring(Spacing + "x", true)); // the spacing mark starts a fresh line
}

TEST_F(SimulationTest, CentredFixedLinesArePaddedWithTheRemainderDropped)
{
    setLine(1, "\\qc \\f0 \\cf0 ab");
    setLine(2, "\\qc \\f0 \\cf0 abc");
    setLine(3, "\\qc \\f0 \\cf0 " + std::string(20, 'x'));
    setLine(4, "\\f0 \\cf0 left");
    simulation.UpdateSimulation(message);
    EXPECT_EQ(simulation.row(1), blanks(9) + "ab");
    EXPECT_EQ(simulation.row(2), blanks(8) + "abc");
    EXPECT_EQ(simulation.row(3), std::string(20, 'x'));
    EXPECT_EQ(simulation.row(4), "left");
    EXPECT_FALSE(simulation.timer1().running);
    EXPECT_FALSE(simulation.timer2().running);
}

TEST_F(SimulationTest, TwoLineUnitUsesTheMiddleRows)
{
    message.UnitLines = 2;
    setLine(1, "first");
    setLine(2, "second");
    setLine(3, "never shown");
    simulation.UpdateSimulation(message);
    EXPECT_EQ(simulation.row(2), "first");
    EXPECT_EQ(simulation.row(3), "second");
    EXPECT_EQ(simulation.row(1), "");
    EXPECT_EQ(simulation.row(4), "");
    EXPECT_FALSE(simulation.rowVisible(1));
    EXPECT_TRUE(simulation.rowVisible(2));
    EXPECT_TRUE(simulation.rowVisible(3));
    EXPECT_FALSE(simulation.rowVisible(4));

    EXPECT_EQ(Simulation::lineOfRow(1, 2), 0);
    EXPECT_EQ(Simulation::lineOfRow(2, 2), 1);
    EXPECT_EQ(Simulation::lineOfRow(3, 2), 2);
    EXPECT_EQ(Simulation::lineOfRow(4, 2), 0);
    EXPECT_EQ(Simulation::lineOfRow(4, 4), 4);
}

TEST_F(SimulationTest, BlinkingLineAlternatesBetweenFullAndBlankedText)
{
    setLine(2, "\\qc \\f0 \\cf0 on \\f65 \\cf0 off");
    message.line(2).LineBlink = "25,ON";
    simulation.UpdateSimulation(message);
    EXPECT_EQ(simulation.timer2(), (TimerSetting { true, 250 }));
    EXPECT_EQ(simulation.row(2), ""); // a blinking line waits for its first phase

    const std::string pad = blanks(7);
    simulation.tickTimer2(message);
    EXPECT_EQ(simulation.row(2), pad + "on off");
    simulation.tickTimer2(message);
    EXPECT_EQ(simulation.row(2), pad + "on    ");
    simulation.tickTimer2(message);
    EXPECT_EQ(simulation.row(2), pad + "on off");

    message.line(2).LineBlink.clear();
    simulation.UpdateSimulation(message);
    EXPECT_FALSE(simulation.timer2().running);
    EXPECT_EQ(simulation.row(2), pad + "on off");
}

TEST_F(SimulationTest, CountedContinuousLineStopsWithTheTextAtTheRightEnd)
{
    setLine(3, "\\f0 \\cf0 abc");
    message.line(3).LineScroll = "10,1";
    simulation.UpdateSimulation(message);
    EXPECT_EQ(simulation.timer1(), (TimerSetting { true, 100 }));
    EXPECT_EQ(simulation.passCountdown(), 4);

    const std::vector<std::string> shown = scroll(4, 3);
    EXPECT_EQ(shown[0], blanks(19) + "a");
    EXPECT_EQ(shown[1], blanks(18) + "ab");
    EXPECT_EQ(shown[2], blanks(17) + "abc");
    EXPECT_EQ(shown[3], blanks(17) + "abc"); // the fourth tick stops the scrolling
    EXPECT_FALSE(simulation.timer1().running);
    EXPECT_EQ(scroll(3, 3).back(), blanks(17) + "abc");
}

TEST_F(SimulationTest, EndlessContinuousLineRepeatsWithoutAGap)
{
    setLine(1, "\\f0 \\cf0 ab\\f65 \\cf0 c");
    message.line(1).LineScroll = "1,0";
    simulation.UpdateSimulation(message);
    EXPECT_EQ(simulation.timer1().intervalMs, 10);
    const std::vector<std::string> shown = scroll(300, 1);
    EXPECT_TRUE(simulation.timer1().running);
    // The blinking "c" shows on the plain phase (odd ticks) and is blanked on the other.
    EXPECT_EQ(shown[22], "abcabcabcabcabcabcab");
    EXPECT_EQ(shown[23], "b ab ab ab ab ab ab ");
}

TEST_F(SimulationTest, BlocksStayFourTicksAndACountedPlayEndsOnTheLastBlock)
{
    setLine(2, "\\f0 \\cf0 one\\par\r\n\\qc \\f65 \\cf0 two");
    message.line(2).LineBlock = "0,1";
    message.BlockScrollOn = true;
    message.BlockWait = "10";
    simulation.UpdateSimulation(message);
    EXPECT_EQ(simulation.timer1(), (TimerSetting { true, 250 }));
    EXPECT_EQ(simulation.passCountdown(), 8);

    const std::vector<std::string> shown = scroll(9, 2);
    const std::string pad = blanks(8);
    EXPECT_EQ(std::vector<std::string>(shown.begin(), shown.begin() + 4),
        (std::vector<std::string> { "one", "one", "one", "one" }));
    // The second block blinks at the tick rate while it stays.
    EXPECT_EQ(std::vector<std::string>(shown.begin() + 4, shown.end()),
        (std::vector<std::string> {
            pad + "two", pad + "   ", pad + "two", pad + "two", pad + "two" }));
    EXPECT_FALSE(simulation.timer1().running);
}

TEST_F(SimulationTest, VerticalScrollMovesTheRowsUpBlockByBlock)
{
    setLine(1, "\\f0 \\cf0 A\\par\r\nB\\par\r\nC");
    message.line(1).LineBlock = "0,0";
    message.VerticalScrollOn = true;
    message.BlockWait = "1";
    simulation.UpdateSimulation(message);
    EXPECT_EQ(simulation.timer1().intervalMs, 25);

    scroll(1, 4);
    EXPECT_EQ(simulation.row(4), "A");
    scroll(4, 4);
    EXPECT_EQ(simulation.row(3), "A");
    EXPECT_EQ(simulation.row(4), "B");
    scroll(8, 4);
    EXPECT_EQ(simulation.row(1), "A");
    EXPECT_EQ(simulation.row(2), "B");
    EXPECT_EQ(simulation.row(3), "C");
    EXPECT_EQ(simulation.row(4), "A"); // endless: the blocks start again
    EXPECT_TRUE(simulation.timer1().running);
}

TEST_F(SimulationTest, ScriptEditOnlyStopsBothTimersAndShowsNothing)
{
    setLine(1, "\\f0 \\cf0 text");
    message.line(1).LineScroll = "10,0";
    setLine(2, "\\f65 \\cf0 blink");
    message.line(2).LineBlink = "25,ON";
    simulation.UpdateSimulation(message);
    ASSERT_TRUE(simulation.timer1().running);
    ASSERT_TRUE(simulation.timer2().running);

    message.ScriptEditOnly = true;
    simulation.UpdateSimulation(message);
    EXPECT_FALSE(simulation.timer1().running);
    EXPECT_FALSE(simulation.timer2().running);
    for (int r = 1; r <= 4; ++r)
        EXPECT_EQ(simulation.row(r), "") << r;
    simulation.tickTimer1();
    EXPECT_EQ(simulation.row(1), "");
}

TEST_F(SimulationTest, HandWrittenAttributesNeverMakeATimerSpin)
{
    setLine(1, "\\f0 \\cf0 x");
    message.line(1).LineBlock = "0,99999999999";
    message.BlockWait = ""; // no pause given: the unit's timer never fires
    simulation.UpdateSimulation(message);
    EXPECT_FALSE(simulation.timer1().running);
    message.line(1).LineBlock.clear();
    message.line(1).LineScroll = "7";
    simulation.UpdateSimulation(message);
    EXPECT_EQ(simulation.timer1(), (TimerSetting { true, 70 }));
    EXPECT_EQ(simulation.passCountdown(), 0);
}

} // namespace
