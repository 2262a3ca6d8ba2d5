#include "ui/quickedit/simulationplayer.h"

#include <gtest/gtest.h>

using namespace marquis;

namespace {

const std::string Spacing = "\\sb90\\sa90 ";

std::string blanks(std::size_t n)
{
    return std::string(n, ' ');
}

class SimulationPlayerTest : public ::testing::Test {
protected:
    SimulationPlayerTest() { message.UnitLines = 4; }

    void setLine(int i, std::string rich) { message.line(i).LineText = Spacing + rich; }

    // Row r (1..4) of the player after advancing to ms.
    static std::string rowAt(SimulationPlayer& player, long long ms, int r)
    {
        player.advanceTo(ms);
        return player.rows().at(static_cast<std::size_t>(r - 1)).value_or("<hidden>");
    }

    CurrentMessage message;
};

TEST_F(SimulationPlayerTest, BlinkShowsItsTwoPhasesAtItsRate)
{
    setLine(2, "\\f0 \\cf0 on \\f65 \\cf0 off");
    message.line(2).LineBlink = "25,ON";
    SimulationPlayer player(message);
    EXPECT_EQ(player.nextTickAt(), 250);
    EXPECT_EQ(rowAt(player, 249, 2), ""); // the blinking line waits for its first phase
    EXPECT_EQ(rowAt(player, 250, 2), "on off"); // a tick due exactly now has fired
    EXPECT_EQ(rowAt(player, 499, 2), "on off");
    EXPECT_EQ(rowAt(player, 500, 2), "on    ");
    EXPECT_EQ(rowAt(player, 750, 2), "on off");
    EXPECT_EQ(player.now(), 750);
    EXPECT_EQ(player.nextTickAt(), 1000);

    // Going back in time changes nothing.
    player.advanceTo(100);
    EXPECT_EQ(player.now(), 750);
    EXPECT_EQ(player.rows()[1], "on off");

    const std::vector<RowsChange> changes = playChanges(message, 1000);
    std::vector<long long> times;
    for (const RowsChange& change : changes)
        times.push_back(change.atMs);
    EXPECT_EQ(times, (std::vector<long long> { 0, 250, 500, 750, 1000 }));
    EXPECT_EQ(changes[2].rows[1], "on    ");
    EXPECT_EQ(changes[0].rows[0], ""); // the other rows stay empty but shown
}

TEST_F(SimulationPlayerTest, ContinuousLineMovesOneCharacterPerTickAndACountStopsIt)
{
    setLine(3, "\\f0 \\cf0 abc");
    message.line(3).LineScroll = "10,1";
    SimulationPlayer player(message);
    EXPECT_EQ(rowAt(player, 0, 3), "");
    EXPECT_EQ(rowAt(player, 100, 3), blanks(19) + "a");
    EXPECT_EQ(rowAt(player, 250, 3), blanks(18) + "ab");
    EXPECT_EQ(rowAt(player, 300, 3), blanks(17) + "abc");
    EXPECT_EQ(player.nextTickAt(), 400);
    // The fourth tick stops the timer and leaves the last frame standing.
    EXPECT_EQ(rowAt(player, 400, 3), blanks(17) + "abc");
    EXPECT_EQ(player.nextTickAt(), std::nullopt);
    EXPECT_EQ(player.fireNext(), std::nullopt);
    EXPECT_EQ(rowAt(player, 1'000'000, 3), blanks(17) + "abc");

    const std::vector<RowsChange> changes = playChanges(message, 10'000);
    ASSERT_EQ(changes.size(), 4U);
    EXPECT_EQ(changes.back().atMs, 300);
    EXPECT_EQ(changes.back().rows[2], blanks(17) + "abc");
}

TEST_F(SimulationPlayerTest, EndlessScrollKeepsTicking)
{
    setLine(1, "\\f0 \\cf0 ab");
    message.line(1).LineScroll = "1,0";
    SimulationPlayer player(message);
    EXPECT_EQ(rowAt(player, 10'000, 1), "abababababababababab");
    EXPECT_EQ(player.nextTickAt(), 10'010);
}

TEST_F(SimulationPlayerTest, TimersDueTogetherFireScrollThenBlink)
{
    // Both timers run every 250 ms. The vertical scroll rewrites every row on its block ticks,
    // the blinking line rewrites row 1: when both fire together the blink has the last word.
    setLine(1, "\\f65 \\cf0 X");
    message.line(1).LineBlink = "25,ON";
    setLine(2, "\\f0 \\cf0 A\\par\r\nB");
    message.line(2).LineBlock = "0,0";
    message.VerticalScrollOn = true;
    message.BlockWait = "10";
    SimulationPlayer player(message);

    const auto first = player.fireNext();
    const auto second = player.fireNext();
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->atMs, 250);
    EXPECT_EQ(first->timer, SimulationPlayer::Timer::Scroll);
    EXPECT_EQ(second->atMs, 250);
    EXPECT_EQ(second->timer, SimulationPlayer::Timer::Blink);
    EXPECT_EQ(player.rows()[0], "X");
    EXPECT_EQ(player.rows()[3], "A"); // the first block entered at the bottom
}

TEST_F(SimulationPlayerTest, TwoLineUnitHidesRowsOneAndFour)
{
    message.UnitLines = 2;
    setLine(1, "\\qc \\f0 \\cf0 ab");
    setLine(2, "second");
    SimulationPlayer player(message);
    const DisplayRows rows = player.rows();
    EXPECT_EQ(rows[0], std::nullopt);
    EXPECT_EQ(rows[1], blanks(9) + "ab");
    EXPECT_EQ(rows[2], "second");
    EXPECT_EQ(rows[3], std::nullopt);
    EXPECT_EQ(player.nextTickAt(), std::nullopt); // nothing moves
    EXPECT_EQ(playChanges(message, 10'000).size(), 1U);
}

TEST_F(SimulationPlayerTest, ScriptEditOnlyMessageShowsEmptyRowsAndNeverTicks)
{
    setLine(1, "\\f0 \\cf0 text");
    message.line(1).LineScroll = "10,0";
    message.ScriptEditOnly = true;
    SimulationPlayer player(message);
    EXPECT_EQ(player.nextTickAt(), std::nullopt);
    player.advanceTo(5'000);
    for (const auto& row : player.rows())
        EXPECT_EQ(row, "");
}

} // namespace
