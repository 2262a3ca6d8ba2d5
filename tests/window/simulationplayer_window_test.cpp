#include "ui/quickedit/simulationplayer.h"
#include "window/windowfixture.h"

#include <QTimer>

using namespace marquis;
using namespace marquis::testing;

namespace {

class PlayerAgreesWithWindowTest : public WindowTest {
protected:
    // Replays the player's ticks one by one through the window's own timers and compares the
    // rows after each, and each timer's spacing with the window's interval.
    void compareTicks(int ticks)
    {
        SimulationPlayer player(session->message());
        compareRows(player, 0);
        auto* scroll = control<QTimer>("Timer1");
        auto* blink = control<QTimer>("Timer2");
        long long lastScroll = 0;
        long long lastBlink = 0;
        for (int k = 1; k <= ticks; ++k) {
            const std::optional<SimulationPlayer::Tick> tick = player.fireNext();
            if (!tick) {
                EXPECT_FALSE(scroll->isActive()) << "the play has ended";
                EXPECT_FALSE(blink->isActive()) << "the play has ended";
                return;
            }
            const bool scrolls = tick->timer == SimulationPlayer::Timer::Scroll;
            QTimer* timer = scrolls ? scroll : blink;
            long long& last = scrolls ? lastScroll : lastBlink;
            ASSERT_TRUE(timer->isActive()) << tick->atMs;
            EXPECT_EQ(tick->atMs - last, timer->interval()) << tick->atMs;
            last = tick->atMs;
            ASSERT_TRUE(QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection));
            compareRows(player, tick->atMs);
        }
    }

    void compareRows(const SimulationPlayer& player, long long atMs)
    {
        const DisplayRows rows = player.rows();
        for (int r = 1; r <= 4; ++r) {
            const auto& expected = rows.at(static_cast<std::size_t>(r - 1));
            if (expected)
                EXPECT_EQ(row(r), *expected) << "row " << r << " at " << atMs;
            else
                EXPECT_TRUE(display()->rowCount() == 2 && (r == 1 || r == 4))
                    << "row " << r << " at " << atMs;
        }
    }
};

TEST_F(PlayerAgreesWithWindowTest, DemoMessagesTickForTick)
{
    start("5360");
    open(binFile("demo.src"));
    // A scroll beside a blink of another rate; the blinking alarm; blocks; a counted vertical
    // scroll that ends (36 ticks).
    for (const int message : { 1, 12, 21, 22 }) {
        SCOPED_TRACE(message);
        enterMessage(QString::number(message));
        ASSERT_EQ(session->message().MessageNumber, message);
        compareTicks(60);
    }
}

TEST_F(PlayerAgreesWithWindowTest, TwoLineUnitTickForTick)
{
    start("5360");
    open(std::string(TEST_DATA_DIR) + "/tools/twoline.src");
    ASSERT_EQ(session->message().UnitLines, 2);
    compareTicks(10); // the counted scroll stops on its fifth tick
}

} // namespace
