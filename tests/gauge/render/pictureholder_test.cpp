#include "render/pictureholder.h"
#include "render/pictureplacement.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace qvgauge;

namespace {

constexpr QRgb Grey = 0xFF808080;
constexpr QRgb Red = 0xFFFF0000;
constexpr QRgb Blue = 0xFF0000FF;
constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Black = 0xFF000000;

QImage solid(int width, int height, QRgb color)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// A picture whose top-left pixel is marked, so each placed copy can be found.
QImage marked(int width, int height)
{
    QImage image = solid(width, height, Red);
    image.setPixel(0, 0, Blue);
    return image;
}

int count(const QImage& image, QRgb color)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == color ? 1 : 0;
    return n;
}

QImage rendered(const CQVPictureHolder& holder, QSize canvas, QRect rect, int mode, int h = 0,
    int v = 0, const QRect* clip = nullptr)
{
    QImage target = solid(canvas.width(), canvas.height(), Grey);
    QPainter painter(&target);
    holder.Render(&painter, rect, mode, h, v, White, RasterOp::Copy, clip);
    painter.end();
    return target;
}

} // namespace

TEST(PicturePlacement, TilesCoverTheRectangleFromItsCorner)
{
    const auto tiles = tileOrigins({ 0, 0, 25, 25 }, QSize(10, 10));
    ASSERT_EQ(tiles.size(), 9u);
    EXPECT_EQ(tiles.front(), QPoint(0, 0));
    EXPECT_EQ(tiles[2], QPoint(20, 0));
    EXPECT_EQ(tiles.back(), QPoint(20, 20));
    EXPECT_EQ(tileOrigins({ 3, 4, 23, 14 }, QSize(10, 10)).size(), 2u); // no tile past the edge

    // A picture of no pixels would never advance.
    EXPECT_TRUE(tileOrigins({ 0, 0, 25, 25 }, QSize(0, 10)).empty());
    EXPECT_TRUE(tileOrigins({ 0, 0, 25, 25 }, QSize(10, -1)).empty());
    EXPECT_TRUE(tileOrigins({ 0, 0, 0, 25 }, QSize(10, 10)).empty());
}

TEST(PicturePlacement, OnceIsPlacedByAlignmentInsideTheRectangle)
{
    const PixelRect rect { 10, 20, 50, 40 };
    EXPECT_EQ(oncePosition(rect, QSize(10, 6), 0, 0), QPoint(10, 20));
    EXPECT_EQ(oncePosition(rect, QSize(10, 6), 1, 1), QPoint(40, 34));
    // Centring counts from the rectangle's own corner, not from the target's origin.
    EXPECT_EQ(oncePosition(rect, QSize(10, 6), 2, 2), QPoint(25, 27));
    EXPECT_EQ(oncePosition(rect, QSize(10, 6), 7, -1), QPoint(10, 20));
}

TEST(PictureHolder, RendersInEachWallpaperMode)
{
    const CQVPictureHolder holder(marked(10, 10));
    const QImage tiled = rendered(holder, QSize(30, 30), QRect(0, 0, 25, 25), 2);
    EXPECT_EQ(count(tiled, Blue), 9);
    EXPECT_EQ(count(tiled, Grey), 30 * 30 - 25 * 25); // clipped to the rectangle

    const QImage once = rendered(holder, QSize(40, 40), QRect(10, 10, 20, 20), 1, 2, 2);
    EXPECT_EQ(count(once, Blue), 1);
    EXPECT_EQ(once.pixel(15, 15), Blue);
    EXPECT_EQ(count(once, Red), 99);

    const QImage stretched = rendered(holder, QSize(40, 40), QRect(0, 0, 40, 20), 0);
    EXPECT_EQ(count(stretched, Blue), 4 * 2);
    EXPECT_EQ(count(stretched, Grey), 40 * 20);

    // An unknown mode stretches; a clip narrows the drawing further.
    const QRect clip(0, 0, 5, 5);
    const QImage clipped = rendered(holder, QSize(20, 20), QRect(0, 0, 20, 20), 9, 0, 0, &clip);
    EXPECT_EQ(count(clipped, Grey), 400 - 25);
}

TEST(PictureHolder, EmptyPicturesDrawNothing)
{
    const QImage untouched = solid(20, 20, Grey);
    for (const CQVPictureHolder& holder :
        { CQVPictureHolder(), CQVPictureHolder(QImage(0, 10, QImage::Format_RGB32)),
            CQVPictureHolder(QImage(10, 0, QImage::Format_RGB32)) }) {
        EXPECT_TRUE(holder.isEmpty());
        for (int mode = 0; mode < 3; ++mode)
            EXPECT_EQ(rendered(holder, QSize(20, 20), QRect(0, 0, 20, 20), mode), untouched);
    }
    const CQVPictureHolder holder(marked(4, 4));
    EXPECT_EQ(rendered(holder, QSize(20, 20), QRect(5, 5, 0, 8), 2), untouched);
    holder.Render(nullptr, QRect(0, 0, 5, 5), 0, 0, 0, White);
}

TEST(PictureHolder, AnIconKeepsItsShapeOverTheBackground)
{
    QImage icon(4, 4, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    icon.setPixel(1, 1, Blue);
    const CQVPictureHolder holder(icon, PictureKind::Icon);
    const QImage target = rendered(holder, QSize(4, 4), QRect(0, 0, 4, 4), 1);
    EXPECT_EQ(target.pixel(1, 1), Blue);
    EXPECT_EQ(count(target, White), 15);
}

TEST(PictureHolder, MasksLeaveTheTargetWhereTheyAreTransparent)
{
    QImage picture = solid(4, 4, Red);
    picture.setPixel(0, 0, Black); // the key colour below
    const CQVPictureHolder holder(picture);

    QImage target = solid(8, 8, Grey);
    {
        QPainter painter(&target);
        holder.Mask(&painter, QRect(0, 0, 4, 4), Black, nullptr);
    }
    EXPECT_EQ(target.pixel(0, 0), Grey);
    EXPECT_EQ(target.pixel(1, 0), Red);
    EXPECT_EQ(count(target, Red), 15);

    QImage maskPicture = solid(4, 4, White);
    maskPicture.setPixel(2, 2, Black);
    const CQVPictureHolder mask(maskPicture);
    QImage masked = solid(8, 8, Grey);
    {
        QPainter painter(&masked);
        holder.Mask(&painter, QRect(4, 4, 4, 4), &mask, nullptr);
        holder.Mask(&painter, QRect(0, 0, 4, 4), nullptr, nullptr);
    }
    EXPECT_EQ(masked.pixel(6, 6), Red);
    EXPECT_EQ(count(masked, Red), 1);
}

TEST(PictureHolder, ShowStatusPutsBothImagesSideBySide)
{
    const CQVPictureHolder holder;
    QImage desktop = solid(40, 20, Grey);
    {
        QPainter painter(&desktop);
        holder.ShowStatus(&painter, solid(10, 5, Red), solid(10, 5, Blue), QRect(0, 0, 10, 5));
    }
    EXPECT_EQ(desktop.pixel(0, 10), Red);
    EXPECT_EQ(desktop.pixel(20, 14), Blue);
    EXPECT_EQ(count(desktop, Red), 50);
    EXPECT_EQ(count(desktop, Blue), 50);
}
