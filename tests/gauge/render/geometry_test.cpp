#include "render/gaugegeometry.h"
#include "render/gaugelook.h"

#include <gtest/gtest.h>
#include <limits>

using namespace qvgauge;

namespace {

PixelMargins margins(int all)
{
    return { all, all, all, all };
}

long long areaOf(const PixelRect& rect)
{
    return static_cast<long long>(rect.width()) * rect.height();
}

bool inside(const PixelRect& inner, const PixelRect& outer)
{
    return inner.isEmpty() || inner.intersected(outer) == inner;
}

} // namespace

TEST(GaugeGeometry, FramesFollowTheMargins)
{
    const DrawingFrame frame = drawingFrame(110, 60, margins(5));
    EXPECT_EQ(frame, (DrawingFrame { 4, 4, 105, 55 }));
    // The fill area, the bitmap frame and the inside of the inner bevel are one rectangle.
    EXPECT_EQ(frame.fillArea(), (PixelRect { 5, 5, 106, 56 }));
    EXPECT_EQ(bitmapFrame(110, 60, margins(5)), frame.fillArea());

    // Margins wider than the control leave an empty area, never an inverted one.
    const DrawingFrame squeezed = drawingFrame(8, 8, margins(6));
    EXPECT_TRUE(squeezed.fillArea().isEmpty());
    EXPECT_GE(squeezed.right, squeezed.left);
    EXPECT_GE(squeezed.bottom, squeezed.top);

    // Negative margins and sizes count as 0.
    GaugeLook look;
    look.innerTop = -3;
    look.innerLeft = -1;
    look.innerRight = 2;
    look.innerBottom = std::numeric_limits<int>::min();
    const PixelMargins held = marginsOf(look);
    EXPECT_EQ(held.top, 0);
    EXPECT_EQ(held.left, 0);
    EXPECT_EQ(held.right, 2);
    EXPECT_EQ(held.bottom, 0);
    EXPECT_TRUE(drawingFrame(-10, -10, margins(3)).fillArea().isEmpty());
}

TEST(GaugeGeometry, FillMovesInWholePercents)
{
    EXPECT_EQ(fillPercent(0, 100, 50), 50);
    EXPECT_EQ(fillPercent(0, 3, 1), 33);
    EXPECT_EQ(fillLength(33, 300), 99); // a third would be 100
    EXPECT_EQ(fillPercent(10, 20, 19), 90);

    // A 101-pixel bar at half fill ends on column 54.
    const BarSplit half = barSplit(false, false, drawingFrame(110, 60, margins(5)), 0, 100, 50);
    EXPECT_EQ(half.bar, (PixelRect { 5, 5, 55, 56 }));
    EXPECT_EQ(half.face, (PixelRect { 55, 5, 106, 56 }));
}

TEST(GaugeGeometry, ARangeLoadedWithoutChecksStillGivesAFill)
{
    // Min = Max, Min > Max and values outside the range come from files the setters never saw.
    EXPECT_EQ(fillPercent(5, 5, 10), 0);
    EXPECT_EQ(fillPercent(50, 10, 20), 0);
    EXPECT_EQ(fillPercent(0, 100, 250), 100);
    EXPECT_EQ(fillPercent(0, 100, -250), 0);
    constexpr int low = std::numeric_limits<int>::min();
    constexpr int high = std::numeric_limits<int>::max();
    EXPECT_EQ(fillPercent(low, high, high), 100);
    EXPECT_EQ(fillPercent(low, high, 0), 50);
    EXPECT_EQ(fillLength(250, 10), 10);
    EXPECT_EQ(fillLength(-5, 10), 0);
    EXPECT_EQ(fillLength(50, -10), 0);

    const DrawingFrame frame = drawingFrame(110, 60, margins(5));
    EXPECT_TRUE(barSplit(false, false, frame, 5, 5, 10).bar.isEmpty());
    EXPECT_TRUE(barSplit(true, true, frame, 9, 3, 4).bar.isEmpty());
    EXPECT_EQ(needleLine(GaugeStyle::SemiNeedle, frame, 5, 5, 10).end, QPoint(4, 55));
    EXPECT_EQ(needleLine(GaugeStyle::SemiNeedle, frame, 0, 100, 900).end,
        needleLine(GaugeStyle::SemiNeedle, frame, 0, 100, 100).end);

    // Styles outside their sets draw as their first value.
    EXPECT_EQ(validStyle(static_cast<GaugeStyle>(9)), GaugeStyle::HorizontalBar);
    EXPECT_EQ(validStyle(static_cast<GaugeStyle>(-1)), GaugeStyle::HorizontalBar);
    EXPECT_EQ(validStyle(GaugeStyle::VerticalBmp), GaugeStyle::VerticalBmp);
    EXPECT_EQ(validBevel(static_cast<BevelStyle>(5)), BevelStyle::Lowered);
    EXPECT_EQ(validInnerBevel(static_cast<BevelStyleInner>(3)), BevelStyle::Lowered);
    EXPECT_EQ(validInnerBevel(BevelStyleInner::Chisled), BevelStyle::Chisled);
    EXPECT_EQ(validBorder(static_cast<BorderStyle>(3)), BorderStyle::None);
    EXPECT_EQ(validAlignment(static_cast<Alignment>(-2)), Alignment::Left);
    EXPECT_EQ(validFontStyle(static_cast<FontStyle>(5)), FontStyle::None);
    EXPECT_EQ(validWallPaper(static_cast<WallPaper>(3)), WallPaper::Stretch);
}

// Whether bar and face tile the fill area at every value of a range: no pixel twice, none left
// out, none outside (which would paint over the inner bevel), and a bar that never shrinks as
// the value grows.
static ::testing::AssertionResult tilesExactly(
    const DrawingFrame& frame, bool vertical, bool reverse, int min, int max)
{
    const PixelRect area = frame.fillArea();
    long long lastBar = -1;
    for (int value = min - 3; value <= max + 3; ++value) {
        const BarSplit split = barSplit(vertical, reverse, frame, min, max, value);
        const long long bar = areaOf(split.bar);
        const bool exact = inside(split.bar, area) && inside(split.face, area) &&
            split.bar.intersected(split.face).isEmpty() &&
            bar + areaOf(split.face) == areaOf(area) && bar >= lastBar;
        if (!exact)
            return ::testing::AssertionFailure()
                << "range " << min << ".." << max << " value " << value << " vertical " << vertical
                << " reverse " << reverse;
        lastBar = bar;
    }
    return ::testing::AssertionSuccess();
}

TEST(GaugeGeometry, BarAndFaceCoverTheFillAreaExactly)
{
    const std::pair<int, int> ranges[] = { { 0, 100 }, { 0, 3 }, { 7, 8 }, { -20, 40 }, { 5, 5 },
        { 9, 2 } };
    for (int length = 0; length <= 34; ++length)
        for (int across : { 0, 1, 2, 5, 13 })
            for (int margin : { 0, 1, 5, 9 })
                for (const auto& [min, max] : ranges) {
                    ASSERT_TRUE(tilesExactly(
                        drawingFrame(length, across, margins(margin)), false, false, min, max));
                    ASSERT_TRUE(tilesExactly(
                        drawingFrame(length, across, margins(margin)), false, true, min, max));
                    ASSERT_TRUE(tilesExactly(
                        drawingFrame(across, length, margins(margin)), true, false, min, max));
                    ASSERT_TRUE(tilesExactly(
                        drawingFrame(across, length, margins(margin)), true, true, min, max));
                }
}

TEST(GaugeGeometry, BarsGrowFromTheirStartingEdge)
{
    const DrawingFrame frame = drawingFrame(50, 40, margins(5));
    const PixelRect area = frame.fillArea(); // 5..46 x 5..36
    EXPECT_EQ(barSplit(false, false, frame, 0, 100, 25).bar.left, area.left);
    EXPECT_EQ(barSplit(false, true, frame, 0, 100, 25).bar.right, area.right);
    EXPECT_EQ(barSplit(true, false, frame, 0, 100, 25).bar.bottom, area.bottom);
    EXPECT_EQ(barSplit(true, true, frame, 0, 100, 25).bar.top, area.top);
    EXPECT_EQ(barSplit(true, false, frame, 0, 100, 100).bar, area);
    EXPECT_EQ(barSplit(true, true, frame, 0, 100, 100).bar, area);
    EXPECT_EQ(barSplit(true, false, frame, 0, 100, 50).bar, (PixelRect { 5, 21, 46, 36 }));
}

TEST(GaugeGeometry, NeedlesEndWhereTheTruncatedTurnPutsThem)
{
    const DrawingFrame frame = drawingFrame(110, 60, margins(5)); // 4, 4, 105, 55
    const auto semi = [&](int value) {
        return needleLine(GaugeStyle::SemiNeedle, frame, 0, 100, value);
    };
    EXPECT_EQ(semi(0).centre, QPoint(54, 55));
    EXPECT_EQ(semi(0).end, QPoint(4, 55)); // left
    EXPECT_EQ(semi(50).end, QPoint(54, 6)); // up; sin of the short half-turn stays below 1
    EXPECT_EQ(semi(100).end, QPoint(103, 55)); // right, one pixel short

    const auto full = [&](int value) {
        return needleLine(GaugeStyle::FullNeedle, frame, 0, 100, value);
    };
    EXPECT_EQ(full(0).centre, QPoint(54, 29));
    EXPECT_EQ(full(0).end, QPoint(29, 29)); // left
    EXPECT_EQ(full(25).end, QPoint(54, 5)); // up
    EXPECT_EQ(full(50).end, QPoint(78, 29)); // right
    EXPECT_EQ(full(75).end, QPoint(54, 53)); // down
    EXPECT_EQ(full(100).end, QPoint(30, 29)); // back to the left

    EXPECT_EQ(needlePenWidth(0), 1);
    EXPECT_EQ(needlePenWidth(-4), 1);
    EXPECT_EQ(needlePenWidth(3), 3);
}

TEST(GaugeGeometry, BitmapStylesRevealTheFullPictureByPercent)
{
    const PixelRect frame { 5, 5, 106, 56 };
    EXPECT_TRUE(bitmapReveal(false, false, frame, 0, 100, 0).shown.isEmpty());
    EXPECT_TRUE(bitmapReveal(false, false, frame, 5, 5, 5).shown.isEmpty());

    // At Max the whole frame shows the full picture, in place, whichever way it fills.
    for (const bool vertical : { false, true })
        for (const bool reverse : { false, true }) {
            const BitmapReveal atMax = bitmapReveal(vertical, reverse, frame, 0, 100, 100);
            EXPECT_EQ(atMax.shown, frame);
            EXPECT_EQ(atMax.offset, QPoint(0, 0));
        }

    EXPECT_EQ(bitmapReveal(false, false, frame, 0, 100, 40).shown, (PixelRect { 5, 5, 45, 56 }));
    const BitmapReveal reversed = bitmapReveal(false, true, frame, 0, 100, 40);
    EXPECT_EQ(reversed.shown, (PixelRect { 66, 5, 106, 56 }));
    EXPECT_EQ(reversed.offset, QPoint(66, 0));
    EXPECT_EQ(bitmapReveal(true, false, frame, 0, 100, 40).shown, (PixelRect { 5, 36, 106, 56 }));
    EXPECT_EQ(bitmapReveal(true, true, frame, 0, 100, 40).shown, (PixelRect { 5, 5, 106, 25 }));
}

TEST(GaugeGeometry, BitmapModeNeedsBothPictures)
{
    GaugeLook look;
    look.style = GaugeStyle::HorizontalBmp;
    EXPECT_FALSE(usesBitmapMode(look));
    look.picture = QImage(4, 4, QImage::Format_RGB32);
    EXPECT_FALSE(usesBitmapMode(look));
    look.pictureFill = QImage(4, 4, QImage::Format_RGB32);
    EXPECT_TRUE(usesBitmapMode(look));
    look.style = GaugeStyle::SemiNeedle;
    EXPECT_FALSE(usesBitmapMode(look));
}

TEST(GaugeGeometry, TheDesignOutlineShowsOnlyAtDesignTimeWithoutInnerBevel)
{
    GaugeLook look;
    look.width = 50;
    look.height = 30;
    EXPECT_FALSE(designOutline(look));
    look.userMode = false;
    ASSERT_TRUE(designOutline(look));
    EXPECT_EQ(*designOutline(look), (PixelRect { 4, 4, 47, 27 }));
    look.bevelSizeInner = 2;
    EXPECT_FALSE(designOutline(look));
    look.bevelSizeInner = 0;
    look.style = GaugeStyle::VerticalBmp;
    EXPECT_FALSE(designOutline(look));
}

TEST(GaugeGeometry, AutosizeAsksForThePictureAndBevelsBeyondThreePixels)
{
    EXPECT_EQ(autosizeTarget(QSize(40, 20), 2, QSize(10, 10)), QSize(44, 24));
    EXPECT_FALSE(autosizeTarget(QSize(40, 20), 2, QSize(47, 21)));
    EXPECT_EQ(autosizeTarget(QSize(40, 20), 2, QSize(48, 24)), QSize(44, 24));
    EXPECT_FALSE(autosizeTarget(QSize(), 2, QSize(10, 10)));
    EXPECT_EQ(autosizeTarget(QSize(40, 20), -5, QSize(10, 10)), QSize(40, 20));
}
