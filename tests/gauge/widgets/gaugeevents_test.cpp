#include "widgets/qv3dgauge.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace qvgauge;

namespace {

// Records the gauge's events as text, in the order they fire.
class EventLog {
public:
    explicit EventLog(Qv3dGauge& gauge)
    {
        const auto mouse = [this](const char* name) {
            return [this, name](short button, short shift, int x, int y) {
                add(std::string(name) + " " + std::to_string(button) + " " + std::to_string(shift) +
                    " " + std::to_string(x) + "," + std::to_string(y));
            };
        };
        QObject::connect(&gauge, &Qv3dGauge::MouseDown, mouse("MouseDown"));
        QObject::connect(&gauge, &Qv3dGauge::MouseUp, mouse("MouseUp"));
        QObject::connect(&gauge, &Qv3dGauge::MouseMove, mouse("MouseMove"));
        QObject::connect(&gauge, &Qv3dGauge::Click, [this] { add("Click"); });
        QObject::connect(&gauge, &Qv3dGauge::DblClick, [this] { add("DblClick"); });
        QObject::connect(&gauge, &Qv3dGauge::KeyDown, [this](short& code, short shift) {
            add("KeyDown " + std::to_string(code) + " " + std::to_string(shift));
            if (code == swallowCode)
                code = 0;
        });
        QObject::connect(&gauge, &Qv3dGauge::KeyPress,
            [this](short& ascii) { add("KeyPress " + std::to_string(ascii)); });
        QObject::connect(&gauge, &Qv3dGauge::KeyUp, [this](short& code, short shift) {
            add("KeyUp " + std::to_string(code) + " " + std::to_string(shift));
        });
    }

    std::vector<std::string> take()
    {
        std::vector<std::string> taken;
        taken.swap(m_events);
        return taken;
    }

    short swallowCode = -1;

private:
    void add(std::string event) { m_events.push_back(std::move(event)); }
    std::vector<std::string> m_events;
};

using Events = std::vector<std::string>;

class GaugeEvents : public ::testing::Test {
protected:
    void SetUp() override
    {
        gauge.resize(80, 30);
        gauge.show();
        QApplication::processEvents();
    }

    Qv3dGauge gauge;
    EventLog log { gauge };
};

} // namespace

TEST_F(GaugeEvents, ALeftClickGivesDownUpAndClick)
{
    QTest::mousePress(&gauge, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 5));
    QTest::mouseRelease(&gauge, Qt::LeftButton, Qt::ShiftModifier, QPoint(12, 6));
    EXPECT_EQ(log.take(), (Events { "MouseDown 1 1 10,5", "MouseUp 1 1 12,6", "Click" }));

    // Other buttons, and a release outside the gauge, are no click.
    QTest::mouseClick(&gauge, Qt::RightButton, Qt::ControlModifier, QPoint(3, 4));
    EXPECT_EQ(log.take(), (Events { "MouseDown 2 2 3,4", "MouseUp 2 2 3,4" }));
    QTest::mousePress(&gauge, Qt::LeftButton, {}, QPoint(10, 5));
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, QPoint(200, 5));
    EXPECT_EQ(log.take(), (Events { "MouseDown 1 0 10,5", "MouseUp 1 0 200,5" }));
}

TEST_F(GaugeEvents, ADoubleClickFiresDblClickOnceAndClickOnlyForTheFirstRelease)
{
    // What a widget receives for a double click: press, release, double click, release.
    QTest::mouseClick(&gauge, Qt::LeftButton, {}, QPoint(7, 7));
    QTest::mouseDClick(&gauge, Qt::LeftButton, {}, QPoint(7, 7));
    QTest::mouseRelease(&gauge, Qt::LeftButton, {}, QPoint(7, 7));
    EXPECT_EQ(log.take(),
        (Events { "MouseDown 1 0 7,7", "MouseUp 1 0 7,7", "Click", "MouseDown 1 0 7,7", "DblClick",
            "MouseUp 1 0 7,7" }));
}

TEST_F(GaugeEvents, MouseMoveCarriesTheButtonsHeld)
{
    QMouseEvent free(QEvent::MouseMove, QPointF(20, 10), gauge.mapToGlobal(QPointF(20, 10)),
        Qt::NoButton, Qt::NoButton, Qt::AltModifier);
    QApplication::sendEvent(&gauge, &free);
    QMouseEvent held(QEvent::MouseMove, QPointF(21, 11), gauge.mapToGlobal(QPointF(21, 11)),
        Qt::NoButton, Qt::LeftButton | Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(&gauge, &held);
    EXPECT_EQ(log.take(), (Events { "MouseMove 0 4 20,10", "MouseMove 3 0 21,11" }));
}

TEST_F(GaugeEvents, KeysGiveKeyCodesAndCharacters)
{
    QTest::keyClick(&gauge, Qt::Key_A);
    EXPECT_EQ(log.take(), (Events { "KeyDown 65 0", "KeyPress 97", "KeyUp 65 0" }));
    QKeyEvent shifted(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier, QStringLiteral("A"));
    QApplication::sendEvent(&gauge, &shifted);
    EXPECT_EQ(log.take(), (Events { "KeyDown 65 1", "KeyPress 65" }));
    QTest::keyClick(&gauge, Qt::Key_Return);
    EXPECT_EQ(log.take(), (Events { "KeyDown 13 0", "KeyPress 13", "KeyUp 13 0" }));
    QTest::keyClick(&gauge, Qt::Key_F5);
    EXPECT_EQ(log.take(), (Events { "KeyDown 116 0", "KeyUp 116 0" }));
}

TEST_F(GaugeEvents, AHandlerThatClearsTheKeyCodeKeepsTheKey)
{
    log.swallowCode = 27;
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
    QApplication::sendEvent(&gauge, &escape);
    EXPECT_TRUE(escape.isAccepted());
    EXPECT_EQ(log.take(), (Events { "KeyDown 27 0" }));

    QKeyEvent other(QEvent::KeyPress, Qt::Key_B, Qt::NoModifier, QStringLiteral("b"));
    QApplication::sendEvent(&gauge, &other);
    EXPECT_FALSE(other.isAccepted()); // goes on to the parent
}
