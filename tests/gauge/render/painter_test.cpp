#include "gauge/support/goldenimage.h"
#include "render/gaugegeometry.h"
#include "render/gaugelook.h"
#include "render/gaugepainter.h"

#include <QPalette>
#include <gtest/gtest.h>
#include <limits>

using namespace qvgauge;

namespace {

constexpr QRgb Red = 0xFFFF0000;
constexpr QRgb Face = 0xFFC0C0C0;

QImage solid(int width, int height, QRgb color)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

GaugeLook bar(int width, int height)
{
    GaugeLook look;
    look.width = width;
    look.height = height;
    look.fillValue = 50;
    return look;
}

int count(const QImage& image, QRgb color, const PixelRect& within)
{
    int n = 0;
    for (int y = std::max(within.top, 0); y < std::min(within.bottom, image.height()); ++y)
        for (int x = std::max(within.left, 0); x < std::min(within.right, image.width()); ++x)
            n += image.pixel(x, y) == color ? 1 : 0;
    return n;
}

} // namespace

TEST(GaugePainter, ColoursResolveThroughTheInjectedScheme)
{
    SystemColors colors;
    colors.set(ColorButtonFace, qRgb(1, 2, 3));
    EXPECT_EQ(colors.resolve(systemColor(ColorButtonFace)), qRgb(1, 2, 3));
    EXPECT_EQ(colors.resolve(0x00336699), qRgb(0x99, 0x66, 0x33));
    EXPECT_EQ(colors.resolve(systemColor(200)), qRgb(0, 0, 0));
    EXPECT_EQ(SystemColors::classic().resolve(systemColor(ColorButtonShadow)), qRgb(128, 128, 128));

    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Button, QColor(10, 20, 30));
    EXPECT_EQ(SystemColors::fromPalette(palette).at(ColorButtonFace), qRgb(10, 20, 30));

    GaugeLook look = bar(20, 10);
    PaintEnvironment environment;
    environment.colors = colors;
    const QImage image = paintGauge(look, environment);
    EXPECT_EQ(image.pixel(15, 5), qRgb(1, 2, 3));
    EXPECT_EQ(image.pixel(5, 5), Red);
    EXPECT_EQ(image.format(), QImage::Format_RGB32);
    EXPECT_EQ(image.devicePixelRatio(), 1.0);
}

// Point-sized caption fonts follow the resolution the paint is given, not the screen's.
TEST(GaugePainter, TheCaptionScalesWithTheInjectedResolution)
{
    GaugeLook look = bar(200, 80);
    look.fillValue = 0;
    look.caption = "Wide";
    look.font = qvgauge::testing::goldenFont(10);
    look.textColor = 0x00FF0000; // blue
    const auto inked = [&](int dpi) {
        PaintEnvironment environment;
        environment.dpi = dpi;
        return count(paintGauge(look, environment), 0xFF0000FF, { 0, 0, 200, 80 });
    };
    const int normal = inked(96);
    EXPECT_GT(normal, 0);
    EXPECT_GT(inked(192), 3 * normal);
}

TEST(GaugePainter, AControlWithoutAreaPaintsNothing)
{
    EXPECT_TRUE(paintGauge(bar(0, 30), {}).isNull());
    EXPECT_TRUE(paintGauge(bar(30, 0), {}).isNull());
    EXPECT_TRUE(paintGauge(bar(-4, 30), {}).isNull());
    EXPECT_EQ(paintGauge(bar(1, 1), {}).size(), QSize(1, 1));
}

// The bars must stay inside the inner bevel whatever the value: only the fill area may change.
TEST(GaugePainter, BarsNeverPaintOverTheInnerBevel)
{
    for (const GaugeStyle style : { GaugeStyle::HorizontalBar, GaugeStyle::VerticalBar })
        for (const bool reverse : { false, true }) {
            GaugeLook look = bar(40, 60);
            look.style = style;
            look.reverseFill = reverse;
            look.bevelSizeInner = 2;
            look.bevelStyleInner = BevelStyleInner::Raised;
            look.fillValue = 0;
            const QImage empty = paintGauge(look, {});
            const PixelRect area = bitmapFrame(40, 60, marginsOf(look));
            for (int value : { 1, 37, 99, 100 }) {
                look.fillValue = value;
                const QImage filled = paintGauge(look, {});
                for (int y = 0; y < 60; ++y)
                    for (int x = 0; x < 40; ++x) {
                        if (area.contains(x, y))
                            continue;
                        ASSERT_EQ(filled.pixel(x, y), empty.pixel(x, y))
                            << "pixel " << x << "," << y << " value " << value;
                    }
            }
            look.fillValue = 100;
            EXPECT_EQ(count(paintGauge(look, {}), Red, area), area.width() * area.height());
        }
}

TEST(GaugePainter, ANeedleOfWidthZeroIsOnePixelWide)
{
    GaugeLook look = bar(60, 40);
    look.style = GaugeStyle::FullNeedle;
    look.fillValue = 0; // pointing left along the centre row
    const QImage image = paintGauge(look, {});
    const NeedleLine line =
        needleLine(look.style, drawingFrame(60, 40, marginsOf(look)), 0, 100, 0);
    const int red = count(image, Red, { 0, 0, 60, 40 });
    EXPECT_EQ(count(image, Red, { 0, line.centre.y(), 60, line.centre.y() + 1 }), red);
    EXPECT_GE(red, line.centre.x() - line.end.x());

    look.needleWidth = 5;
    EXPECT_GT(count(paintGauge(look, {}), Red, { 0, 0, 60, 40 }), 4 * red);
}

TEST(GaugePainter, BitmapStylesShowTheWholeFullPictureAtMax)
{
    GaugeLook look = bar(50, 30);
    look.style = GaugeStyle::HorizontalBmp;
    look.picture = solid(50, 30, 0xFF0000FF);
    look.pictureFill = solid(50, 30, 0xFF00FF00);
    const PixelRect frame = bitmapFrame(50, 30, marginsOf(look));
    for (const bool reverse : { false, true }) {
        look.reverseFill = reverse;
        look.fillValue = 100;
        const QImage full = paintGauge(look, {});
        EXPECT_EQ(count(full, 0xFF00FF00, frame), frame.width() * frame.height());
        EXPECT_EQ(count(full, 0xFF00FF00, { 0, 0, 50, 30 }), frame.width() * frame.height());
        look.fillValue = 0;
        EXPECT_EQ(count(paintGauge(look, {}), 0xFF00FF00, { 0, 0, 50, 30 }), 0);
        look.fillValue = 40;
        EXPECT_EQ(count(paintGauge(look, {}), 0xFF00FF00, { 0, 0, 50, 30 }),
            fillLength(40, frame.width()) * frame.height());
    }

    // Without the full picture the style falls back to the bar, drawn over the picture.
    look.pictureFill = QImage();
    look.reverseFill = false;
    look.fillValue = 40;
    const QImage fallback = paintGauge(look, {});
    EXPECT_EQ(count(fallback, Red, frame), fillLength(40, frame.width()) * frame.height());
    EXPECT_EQ(fallback.pixel(0, 0), 0xFF0000FF);
}

// A gauge loaded from a hostile file paints without fault and leaves no image behind: the
// sanitizers check every paint here.
TEST(GaugePainter, HostileLooksPaintSafely)
{
    constexpr int huge = std::numeric_limits<int>::max();
    constexpr int tiny = std::numeric_limits<int>::min();
    GaugeLook look = bar(30, 20);
    look.min = 5;
    look.max = 5;
    look.fillValue = 10;
    look.innerTop = -7;
    look.innerLeft = huge;
    look.bevelSize = huge;
    look.bevelSizeInner = tiny;
    look.needleWidth = huge;
    look.caption = "hostile";
    look.userMode = false;
    for (int style = -2; style <= 7; ++style) {
        look.style = static_cast<GaugeStyle>(style);
        look.bevelStyle = static_cast<BevelStyle>(style);
        look.bevelStyleInner = static_cast<BevelStyleInner>(style);
        look.borderStyle = static_cast<BorderStyle>(style);
        look.fontStyle = static_cast<FontStyle>(style);
        look.alignment = static_cast<Alignment>(style);
        look.wallPaper = static_cast<WallPaper>(style);
        look.min = style % 2 == 0 ? tiny : 50;
        look.max = style % 2 == 0 ? huge : 10;
        look.picture = style > 3 ? solid(3, 2, Red) : QImage();
        look.pictureFill = style > 4 ? solid(2, 3, Red) : QImage();
        EXPECT_EQ(paintGauge(look, {}).size(), QSize(30, 20));
    }
}

TEST(GaugePainter, TenThousandPaintsAtTheMinimumKeepNothing)
{
    GaugeLook look = bar(24, 16);
    look.style = GaugeStyle::VerticalBmp;
    look.picture = solid(24, 16, Red);
    look.pictureFill = solid(24, 16, Face);
    look.fillValue = 0;
    for (int paint = 0; paint < 10000; ++paint) {
        look.style = paint % 2 == 0 ? GaugeStyle::VerticalBmp : GaugeStyle::HorizontalBmp;
        ASSERT_FALSE(paintGauge(look, {}).isNull());
    }
    // Copies of the pictures are shared, never left holding extra references.
    EXPECT_TRUE(look.picture.isDetached());
    EXPECT_TRUE(look.pictureFill.isDetached());
}
