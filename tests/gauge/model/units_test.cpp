#include "model/units.h"

#include <gtest/gtest.h>
#include <limits>

using namespace qvgauge;

namespace {

constexpr int IntMax = std::numeric_limits<int>::max();
constexpr int IntMin = std::numeric_limits<int>::min();

TEST(UnitConversions, TwipsAndPixelsAtScreenResolution)
{
    EXPECT_EQ(XPixelsToTwips(10), 150);
    EXPECT_EQ(XTwipsToPixels(150), 10);
    EXPECT_EQ(XTwipsToPixels(7), 0);
    EXPECT_EQ(XTwipsToPixels(8), 1);
    EXPECT_EQ(YPixelsToTwips(10, { 96, 120 }), 120);
    EXPECT_EQ(YTwipsToPixels(18, { 96, 120 }), 2); // 1.5 pixels round up
    EXPECT_EQ(XPixelsToTwips(10, { 1000, 96 }), 10); // whole twips a pixel, as always
}

TEST(UnitConversions, HimetricAndPixels)
{
    EXPECT_EQ(XPixelsToHimetric(12), 318);
    EXPECT_EQ(XPixelsToHimetric(-12), -318);
    for (int ppi : { 72, 96, 120, 144, 600, 2400 }) {
        EXPECT_EQ(XHimetricToPixels(2540, { ppi, 1 }), ppi);
        EXPECT_EQ(YHimetricToPixels(2540, { 1, ppi }), ppi);
    }
    EXPECT_EQ(YPixelsToHimetric(1, { 96, 300 }), 8);
}

TEST(UnitConversions, UnknownResolutionCountsAs96)
{
    for (int ppi : { 0, -5, IntMin }) {
        const Resolution unknown { ppi, ppi };
        EXPECT_EQ(XPixelsToTwips(10, unknown), 150);
        EXPECT_EQ(YTwipsToPixels(150, unknown), 10);
        EXPECT_EQ(XPixelsToHimetric(12, unknown), 318);
        EXPECT_EQ(YHimetricToPixels(2540, unknown), 96);
    }
}

TEST(UnitConversions, AboveOneTwipAPixelTheExactRatioIsUsed)
{
    const Resolution fine { 2880, 2000 };
    EXPECT_EQ(XTwipsToPixels(1, fine), 2);
    EXPECT_EQ(XTwipsToPixels(150, fine), 300);
    EXPECT_EQ(XPixelsToTwips(3, fine), 2); // 1.5 rounds up
    EXPECT_EQ(XPixelsToTwips(300, fine), 150);
    EXPECT_EQ(YPixelsToTwips(1000, fine), 720);
    EXPECT_EQ(YTwipsToPixels(720, fine), 1000);
}

TEST(UnitConversions, NegativeValuesRoundLikePositiveOnes)
{
    EXPECT_EQ(XTwipsToPixels(-7), 0);
    EXPECT_EQ(XTwipsToPixels(-8), -1); // -0.53 pixels
    EXPECT_EQ(XTwipsToPixels(-150), -10);
    EXPECT_EQ(XTwipsToPixels(-157), -10);
    EXPECT_EQ(XTwipsToPixels(-158), -11);
    EXPECT_EQ(XPixelsToTwips(-3, { 2880, 96 }), -1); // -1.5 rounds up
}

TEST(UnitConversions, ResultsSaturate)
{
    EXPECT_EQ(XPixelsToTwips(IntMax), IntMax);
    EXPECT_EQ(XPixelsToTwips(IntMin), IntMin);
    EXPECT_EQ(XTwipsToPixels(IntMax, { IntMax, 96 }), IntMax);
    EXPECT_EQ(XPixelsToHimetric(IntMax), IntMax);
    EXPECT_EQ(XHimetricToPixels(IntMin, { IntMax, 96 }), IntMin);
    EXPECT_EQ(XTwipsToPixels(IntMin), -143165577);
}

TEST(UnitConversions, ContainerCoordinates)
{
    const ContainerScale twips { 2540.0 / 1440.0, 2540.0 / 1440.0, 0.0, 0.0 };
    EXPECT_EQ(XContainerToHimetric(1440.0f, twips), 2540);
    EXPECT_FLOAT_EQ(WidthHimetricToContainer(2540, twips), 1440.0f);

    const ContainerScale shifted { 2.0, 0.5, 100.0, -10.0 };
    EXPECT_EQ(XContainerToHimetric(150.0f, shifted), 100);
    EXPECT_EQ(WidthContainerToHimetric(150.0f, shifted), 300);
    EXPECT_EQ(YContainerToHimetric(30.0f, shifted), 20);
    EXPECT_EQ(HeightContainerToHimetric(30.0f, shifted), 15);
    EXPECT_FLOAT_EQ(XHimetricToContainer(100, shifted), 150.0f);
    EXPECT_FLOAT_EQ(YHimetricToContainer(20, shifted), 30.0f);
    EXPECT_FLOAT_EQ(HeightHimetricToContainer(15, shifted), 30.0f);

    const ContainerScale degenerate { 0.0, 0.0, 0.0, 0.0 };
    EXPECT_EQ(XContainerToHimetric(1e30f, { 1e10, 1.0, 0.0, 0.0 }), IntMax);
    EXPECT_FLOAT_EQ(XHimetricToContainer(50, degenerate), 0.0f);
}

} // namespace
