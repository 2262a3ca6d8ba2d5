#include "ui/controls/leddisplay.h"

#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>
#include <gtest/gtest.h>

using namespace marquis::qt;

namespace {

class LedDisplayTest : public ::testing::Test {
protected:
    LedDisplayTest()
    {
        display.resize(display.sizeHint());
        display.show();
    }

    QImage picture() { return display.grab().toImage(); }

    // Pixels in the colour range of lit dots (bright, red above blue).
    int litPixels()
    {
        const QImage image = picture();
        int lit = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                lit += c.red() > 200 && c.blue() < 120 ? 1 : 0;
            }
        return lit;
    }

    void click(double fractionOfHeight)
    {
        QTest::mouseClick(&display, Qt::LeftButton, Qt::NoModifier,
            QPoint(display.width() / 2, static_cast<int>(display.height() * fractionOfHeight)));
    }

    LedDisplay display;
};

TEST_F(LedDisplayTest, RowsShowWhatTheyAreGiven)
{
    EXPECT_EQ(display.rowCount(), 4);
    EXPECT_EQ(litPixels(), 0);
    display.setRow(2, "HELLO");
    display.setRow(0, "not a row");
    display.setRow(5, "not a row");
    EXPECT_EQ(display.row(2), "HELLO");
    EXPECT_EQ(display.row(1), "");
    EXPECT_EQ(display.row(5), "");
    EXPECT_GT(litPixels(), 0);

    // An unknown character lights its whole cell, more than any letter does.
    display.setRow(2, "\xE9");
    const int fullCell = litPixels();
    display.setRow(2, "M");
    EXPECT_GT(fullCell, litPixels());

    // Only 20 cells a row are drawn.
    display.setRow(2, std::string(20, 'W'));
    const int twenty = litPixels();
    display.setRow(2, std::string(20, 'W') + "WWW");
    EXPECT_EQ(litPixels(), twenty);
    EXPECT_EQ(display.row(2), std::string(23, 'W'));

    EXPECT_GE(display.sizeHint().width(), 20 * 6 * 2);
    EXPECT_GT(display.sizeHint().width(), 3 * display.sizeHint().height());
}

TEST_F(LedDisplayTest, A5320ShowsTheMiddleRowsOnly)
{
    display.setRowCount(2);
    EXPECT_EQ(display.rowCount(), 2);
    display.setRow(2, "LINE ONE");
    display.setRow(3, "LINE TWO");
    const QImage twoLines = picture();
    display.setRow(1, "HIDDEN");
    display.setRow(4, "HIDDEN");
    EXPECT_EQ(picture(), twoLines);

    display.setRowCount(4);
    EXPECT_NE(picture(), twoLines);
    display.setRowVisible(1, false);
    display.setRowVisible(4, false);
    EXPECT_EQ(picture(), twoLines);
}

TEST_F(LedDisplayTest, AClickNamesTheRowUnderTheMouse)
{
    QSignalSpy clicked(&display, &LedDisplay::rowClicked);
    click(0.15);
    click(0.9);
    ASSERT_EQ(clicked.count(), 2);
    EXPECT_EQ(clicked.at(0).at(0).toInt(), 1);
    EXPECT_EQ(clicked.at(1).at(0).toInt(), 4);

    // On a 5320 the upper shown row is row 2, the lower row 3.
    clicked.clear();
    display.setRowCount(2);
    display.resize(display.sizeHint());
    click(0.25);
    click(0.75);
    ASSERT_EQ(clicked.count(), 2);
    EXPECT_EQ(clicked.at(0).at(0).toInt(), 2);
    EXPECT_EQ(clicked.at(1).at(0).toInt(), 3);
}

// Renders a sample for a reviewer to look at, beside the build's bin folder.
TEST_F(LedDisplayTest, RendersASamplePicture)
{
    display.setRow(1, "      WELCOME");
    display.setRow(2, " HOLLOWAY HARDWARE");
    display.setRow(3, "!\"#$%&'()*+,-./0123456789:;<=>?@[\\]^_`{|}~");
    display.setRow(4, "abcdefghijklmnopqrstuvwxyz");
    display.resize(display.sizeHint() * 2);
    const std::string path = std::string(MARQUIS_BIN_DIR) + "/../leddisplay.png";
    std::filesystem::remove(path);
    ASSERT_TRUE(picture().save(QString::fromStdString(path)));
    EXPECT_FALSE(QImage(QString::fromStdString(path)).isNull());
}

} // namespace

TEST_F(LedDisplayTest, MovingTheMouseNamesEachNewRowOnce)
{
    QSignalSpy hovered(&display, &LedDisplay::rowHovered);
    const int x = display.width() / 2;
    QTest::mouseMove(&display, QPoint(x, static_cast<int>(display.height() * 0.15)));
    QTest::mouseMove(&display, QPoint(x + 3, static_cast<int>(display.height() * 0.15)));
    QTest::mouseMove(&display, QPoint(x, static_cast<int>(display.height() * 0.9)));
    ASSERT_EQ(hovered.count(), 2);
    EXPECT_EQ(hovered.at(0).at(0).toInt(), 1);
    EXPECT_EQ(hovered.at(1).at(0).toInt(), 4);
}
