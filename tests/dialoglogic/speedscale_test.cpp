// The speed slider shared by the blink and scroll dialogs: what each position writes, and
// which position a stored rate reads back to.
#include "ui/dialogs/repeatcount.h"
#include "ui/dialogs/speedscale.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <tuple>

namespace marquis {
namespace {

TEST(SpeedScaleTest, EveryPositionWritesItsRatesAndReadsThemBack)
{
    const std::tuple<int, std::string_view, int, int, int, int> table[] = {
        { 1, "SLOWEST", 100, 50, 1000, 5000 }, { 2, "SLOWER", 70, 30, 700, 3000 },
        { 3, "SLOW", 40, 20, 400, 2000 }, { 4, "NORMAL", 25, 10, 250, 1000 },
        { 5, "FAST", 18, 6, 150, 600 }, { 6, "FASTER", 8, 3, 100, 300 },
        { 7, "FASTEST", 1, 1, 40, 100 } };
    for (const auto& [position, word, rate, blockRate, tick, blockTick] : table) {
        SCOPED_TRACE(position);
        const SpeedStep& step = speedStep(position);
        EXPECT_EQ(step.word, word);
        EXPECT_EQ(step.rate, rate);
        EXPECT_EQ(step.blockRate, blockRate);
        EXPECT_EQ(step.tickMs, tick);
        EXPECT_EQ(step.blockTickMs, blockTick);
        EXPECT_EQ(positionOfRate(rate), position);
        EXPECT_EQ(positionOfBlockRate(blockRate), position);
    }
    EXPECT_EQ(speedStep(0).word, "SLOWEST");
    EXPECT_EQ(speedStep(99).word, "FASTEST");
}

TEST(SpeedScaleTest, RatesBetweenTheStepsFallIntoTheirBands)
{
    const std::pair<const char*, int> blink[] = { { "255,1", 4 }, { "0,1", 4 }, { "20,1", 4 },
        { "13,ON", 5 }, { "4,1", 7 }, { "5,1", 6 }, { "12,1", 6 }, { "19,1", 5 }, { "29,1", 4 },
        { "30,1", 3 }, { "49,1", 3 }, { "50,1", 2 }, { "79,1", 2 }, { "80,1", 1 }, { "254,1", 1 },
        { " 40 ,ON", 3 }, { "-5,1", 4 }, { "ON", 4 } };
    for (const auto& [stored, position] : blink)
        EXPECT_EQ(positionOfRate(leadingRate(stored)), position) << stored;

    const std::pair<const char*, int> block[] = { { "1", 7 }, { "2", 6 }, { "4", 6 }, { "5", 5 },
        { "8", 5 }, { "9", 4 }, { "14", 4 }, { "15", 3 }, { "24", 3 }, { "25", 2 }, { "39", 2 },
        { "40", 1 }, { "254", 1 }, { "0", 4 }, { "255", 4 }, { "", 4 }, { "-3", 4 } };
    for (const auto& [stored, position] : block)
        EXPECT_EQ(positionOfBlockRate(leadingRate(stored)), position) << stored;
}

TEST(RepeatCountTest, OnlyOneTo255WithoutLeadingZeroIsACount)
{
    for (const char* count : { "1", "9", "10", "255" })
        EXPECT_TRUE(isRepeatCount(count)) << count;
    // "0" would play until the next message; the others would break the statement.
    for (const char* count : { "", "0", "00", "007", "3)", " 3", "256", "999", "1000", "-1" })
        EXPECT_FALSE(isRepeatCount(count)) << count;
    EXPECT_TRUE(acceptsRepeatKey('0'));
    EXPECT_TRUE(acceptsRepeatKey(8));
    EXPECT_FALSE(acceptsRepeatKey(')'));
    EXPECT_FALSE(acceptsRepeatKey('-'));
}

} // namespace
} // namespace marquis
