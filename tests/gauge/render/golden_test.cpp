#include "gauge/support/goldenimage.h"
#include "render/gaugelook.h"
#include "render/gaugepainter.h"
#include "render/pictureholder.h"

#include <QPainter>
#include <functional>
#include <gtest/gtest.h>

using namespace qvgauge;
using qvgauge::testing::goldenFont;
using qvgauge::testing::matchesGolden;

namespace {

// Pixel-exact pictures of the gauge, painted offscreen with the classic colour scheme at
// 96 dpi and the font shipped with the tests.

QImage stripes(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, ((x + y) / 4) % 2 != 0 ? qRgb(70, 90, 160) : qRgb(110, 130, 200));
    return image;
}

QImage gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(255, 80 + 150 * x / width, 60 * y / height));
    return image;
}

// A framed tile with a mark in its top-left corner, so each copy's position shows.
QImage tile(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(240, 220, 60));
    for (int x = 0; x < width; ++x) {
        image.setPixel(x, 0, qRgb(0, 100, 0));
        image.setPixel(x, height - 1, qRgb(0, 100, 0));
    }
    for (int y = 0; y < height; ++y) {
        image.setPixel(0, y, qRgb(0, 100, 0));
        image.setPixel(width - 1, y, qRgb(0, 100, 0));
    }
    for (int y = 2; y < 5; ++y)
        for (int x = 2; x < 5; ++x)
            image.setPixel(x, y, qRgb(200, 0, 0));
    return image;
}

GaugeLook barLook()
{
    GaugeLook look;
    look.width = 120;
    look.height = 40;
    look.bevelSize = 2;
    look.bevelSizeInner = 1;
    look.fillValue = 50;
    return look;
}

QImage paint(const GaugeLook& look)
{
    return paintGauge(look, PaintEnvironment {});
}

// Several paints side by side on white, 4 pixels apart.
QImage strip(const std::vector<QImage>& images)
{
    int width = 0;
    int height = 0;
    for (const QImage& image : images) {
        width += image.width() + 4;
        height = std::max(height, image.height());
    }
    QImage all(width - 4, height, QImage::Format_RGB32);
    all.fill(qRgb(255, 255, 255));
    QPainter painter(&all);
    int x = 0;
    for (const QImage& image : images) {
        painter.drawImage(x, 0, image);
        x += image.width() + 4;
    }
    return all;
}

QImage withValues(GaugeLook look, std::initializer_list<int> values)
{
    std::vector<QImage> images;
    for (int value : values) {
        look.fillValue = value;
        images.push_back(paint(look));
    }
    return strip(images);
}

QImage bevels(BevelStyle style, int size)
{
    GaugeLook look = barLook();
    look.height = 48;
    look.bevelStyle = style;
    look.bevelSize = size;
    look.innerTop = look.innerLeft = look.innerRight = look.innerBottom = 12;
    look.bevelSizeInner = 3;
    std::vector<QImage> images;
    for (int inner = 0; inner < 3; ++inner) {
        look.bevelStyleInner = static_cast<BevelStyleInner>(inner);
        images.push_back(paint(look));
    }
    return strip(images);
}

QImage border(BorderStyle style)
{
    GaugeLook look = barLook();
    look.borderStyle = style;
    look.parentBackground = 0x00FFFFFF;
    std::vector<QImage> images;
    for (int bevel : { 0, 2 }) {
        look.bevelSize = bevel;
        images.push_back(paint(look));
    }
    return strip(images);
}

QImage needles(GaugeStyle style, int width, int height, std::initializer_list<int> values)
{
    GaugeLook look;
    look.width = width;
    look.height = height;
    look.style = style;
    look.bevelSize = 1;
    look.needleWidth = 3;
    std::vector<QImage> images;
    for (int needleWidth : { 0, 3 }) {
        look.needleWidth = needleWidth;
        images.push_back(withValues(look, values));
    }
    QImage all(images[0].width(), images[0].height() * 2 + 4, QImage::Format_RGB32);
    all.fill(qRgb(255, 255, 255));
    QPainter painter(&all);
    painter.drawImage(0, 0, images[0]);
    painter.drawImage(0, images[0].height() + 4, images[1]);
    return all;
}

QImage bitmaps(GaugeStyle style, int value)
{
    GaugeLook look;
    look.width = style == GaugeStyle::HorizontalBmp ? 120 : 40;
    look.height = style == GaugeStyle::HorizontalBmp ? 40 : 100;
    look.style = style;
    look.fillValue = value;
    look.picture = stripes(look.width, look.height);
    look.pictureFill = gradient(look.width, look.height);
    std::vector<QImage> images { paint(look) };
    look.reverseFill = true;
    images.push_back(paint(look));
    return strip(images);
}

QImage wallpaper(WallPaper mode)
{
    GaugeLook look;
    look.width = 90;
    look.height = 60;
    look.style = GaugeStyle::SemiNeedle;
    look.fillValue = 30;
    look.needleWidth = 2;
    look.wallPaper = mode;
    look.picture = tile(16, 12);
    return paint(look);
}

QImage heldPicture()
{
    // The picture holder on its own: stretched, and once at each alignment.
    QImage target(150, 48, QImage::Format_RGB32);
    target.fill(qRgb(255, 255, 255));
    QPainter painter(&target);
    const CQVPictureHolder holder(tile(16, 12));
    holder.Render(&painter, QRect(2, 2, 60, 44), 0, 0, 0, qRgb(0, 0, 0));
    for (int align = 0; align < 3; ++align)
        holder.Render(
            &painter, QRect(66 + align * 28, 2, 26, 44), 1, align, align, qRgb(200, 200, 255));
    return target;
}

QImage caption(FontStyle style, Alignment alignment = Alignment::Center, bool multiLine = false,
    bool transparent = true)
{
    GaugeLook look = barLook();
    look.width = 140;
    look.height = 44;
    look.caption = multiLine ? "A caption that wraps over lines" : "Gauge 50%";
    look.font = goldenFont(10);
    look.fontStyle = style;
    look.alignment = alignment;
    look.multiLine = multiLine;
    look.fontTransparent = transparent;
    look.fillBarColor = 0x00C08040;
    return paint(look);
}

struct GoldenCase {
    const char* name;
    std::function<QImage()> paint;
};

const GoldenCase Cases[] = {
    { "bar-horizontal-50", [] { return paint(barLook()); } },
    { "bar-horizontal-reversed",
        [] {
            GaugeLook look = barLook();
            look.reverseFill = true;
            return withValues(look, { 0, 30, 100 });
        } },
    { "bar-vertical-inner-bevel",
        [] {
            GaugeLook look = barLook();
            look.style = GaugeStyle::VerticalBar;
            look.width = 40;
            look.height = 100;
            look.innerTop = look.innerLeft = look.innerRight = look.innerBottom = 8;
            look.bevelSizeInner = 3;
            look.bevelStyleInner = BevelStyleInner::Raised;
            return withValues(look, { 0, 60, 100 });
        } },
    { "bar-vertical-reversed",
        [] {
            GaugeLook look = barLook();
            look.style = GaugeStyle::VerticalBar;
            look.reverseFill = true;
            look.width = 40;
            look.height = 100;
            return withValues(look, { 25, 75 });
        } },
    { "bevel-lowered", [] { return bevels(BevelStyle::Lowered, 4); } },
    { "bevel-raised", [] { return bevels(BevelStyle::Raised, 4); } },
    { "bevel-chiseled", [] { return bevels(BevelStyle::Chisled, 4); } },
    { "bevel-shadowed-right", [] { return bevels(BevelStyle::ShadowedRight, 4); } },
    { "bevel-shadowed-left", [] { return bevels(BevelStyle::ShadowedLeft, 4); } },
    { "border-single", [] { return border(BorderStyle::SingleLine); } },
    { "border-rounded", [] { return border(BorderStyle::RoundedCorners); } },
    { "needle-semi",
        [] {
            return needles(GaugeStyle::SemiNeedle, 80, 50, { 0, 25, 50, 75, 100 });
        } },
    { "needle-full",
        [] {
            return needles(GaugeStyle::FullNeedle, 70, 70, { 0, 25, 50, 60, 75 });
        } },
    { "bitmap-horizontal-40", [] { return bitmaps(GaugeStyle::HorizontalBmp, 40); } },
    { "bitmap-horizontal-max", [] { return bitmaps(GaugeStyle::HorizontalBmp, 100); } },
    { "bitmap-vertical-40", [] { return bitmaps(GaugeStyle::VerticalBmp, 40); } },
    { "bitmap-vertical-max", [] { return bitmaps(GaugeStyle::VerticalBmp, 100); } },
    { "wallpaper-stretch", [] { return wallpaper(WallPaper::Stretch); } },
    { "wallpaper-once", [] { return wallpaper(WallPaper::Once); } },
    { "wallpaper-replicate", [] { return wallpaper(WallPaper::Replicate); } },
    { "picture-holder-stretch-and-align", [] { return heldPicture(); } },
    { "caption-none", [] { return caption(FontStyle::None, Alignment::Left); } },
    { "caption-raised", [] { return caption(FontStyle::Raised); } },
    { "caption-raised-shading", [] { return caption(FontStyle::RaisedShading); } },
    { "caption-lowered", [] { return caption(FontStyle::Lowered); } },
    { "caption-lowered-shading",
        [] { return caption(FontStyle::LoweredShading, Alignment::Right); } },
    { "caption-multiline-opaque",
        [] { return caption(FontStyle::None, Alignment::Center, true, false); } },
    { "caption-disabled-design-time",
        [] {
            GaugeLook look = barLook();
            look.caption = "Disabled";
            look.font = goldenFont(10);
            look.fontStyle = FontStyle::RaisedShading;
            look.alignment = Alignment::Center;
            look.enabled = false;
            look.userMode = false;
            look.bevelSizeInner = 0;
            return paint(look);
        } },
};

void PrintTo(const GoldenCase& golden, std::ostream* out)
{
    *out << golden.name;
}

class GaugeGolden : public ::testing::TestWithParam<GoldenCase> { };

TEST_P(GaugeGolden, MatchesTheGoldenImage)
{
    EXPECT_TRUE(matchesGolden(GetParam().paint(), GetParam().name));
}

std::string caseName(const ::testing::TestParamInfo<GoldenCase>& info)
{
    std::string name = info.param.name;
    for (char& c : name)
        if (c == '-')
            c = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, GaugeGolden, ::testing::ValuesIn(Cases), caseName);

} // namespace
