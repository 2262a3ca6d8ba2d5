#include "preview/gifanimation.h"
#include "support/faultyfilesystem.h"
#include "support/gifdecoder.h"
#include "support/temporaryfolder.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace marquis::testing {
namespace {

constexpr QSize Size(40, 20);

// A dark picture with a light block at `x`, as a panel with one lit character.
QImage pictureWithBlock(int x, QRgb light = qRgb(0xFF, 0xA8, 0x1E))
{
    QImage image(Size, QImage::Format_RGB32);
    image.fill(qRgb(0x14, 0x10, 0x0C));
    QPainter(&image).fillRect(QRect(x, 5, 6, 8), QColor::fromRgb(light));
    return image;
}

DecodedGif encoded(const GifAnimation& animation)
{
    std::string bytes;
    const GifOutcome outcome = animation.encode(bytes);
    EXPECT_TRUE(outcome.ok) << outcome.error;
    return decodeGif(bytes);
}

TEST(GifAnimation, StoresOnlyWhatChangedAndPlaysBackTheSamePictures)
{
    GifAnimation animation(Size, true);
    const std::vector<QImage> pictures = { pictureWithBlock(2), pictureWithBlock(10),
        pictureWithBlock(10), pictureWithBlock(10, qRgb(0x3A, 0x28, 0x16)) };
    for (const QImage& picture : pictures)
        ASSERT_TRUE(animation.addFrame(picture, 100));
    EXPECT_FALSE(animation.addFrame(QImage(41, 20, QImage::Format_RGB32), 100));

    const DecodedGif gif = encoded(animation);
    ASSERT_TRUE(gif.ok) << gif.error;
    EXPECT_EQ(gif.width, Size.width());
    EXPECT_EQ(gif.height, Size.height());
    EXPECT_TRUE(gif.loops);
    EXPECT_FALSE(gif.localPalettes);
    EXPECT_EQ(gif.paletteSize, 4); // three colours, rounded up to a power of two
    ASSERT_EQ(gif.frames.size(), pictures.size());
    for (std::size_t i = 0; i < pictures.size(); ++i)
        EXPECT_EQ(gif.frames[i], pictures[i]) << "frame " << i;
    EXPECT_EQ(gif.rects[0], QRect(QPoint(0, 0), Size));
    EXPECT_EQ(gif.rects[1], QRect(2, 5, 14, 8)); // the old block and the new one
    EXPECT_EQ(gif.rects[2], QRect(0, 0, 1, 1)); // unchanged: one pixel for its time
    EXPECT_EQ(gif.rects[3], QRect(10, 5, 6, 8));
    EXPECT_EQ(gif.delays, (std::vector<int> { 10, 10, 10, 10 }));
}

TEST(GifAnimation, DelaysAddUpToThePlayedTime)
{
    // 25 ms ticks: the hundredths alternate so that no rounding piles up.
    GifAnimation ticks(Size, false);
    for (int i = 0; i < 40; ++i)
        ticks.addFrame(pictureWithBlock(i % 30), 25);
    EXPECT_EQ(ticks.totalDelay(), 100);
    const DecodedGif gif = encoded(ticks);
    EXPECT_FALSE(gif.loops);
    EXPECT_EQ(gif.totalDelay(), 100);
    for (const int delay : gif.delays)
        EXPECT_TRUE(delay == 2 || delay == 3) << delay;

    // A picture shown for less than a hundredth is passed over, its time goes to the next.
    GifAnimation brief(Size, false);
    brief.addFrame(pictureWithBlock(0), 75);
    brief.addFrame(pictureWithBlock(10), 5);
    brief.addFrame(pictureWithBlock(20), 120);
    const DecodedGif merged = encoded(brief);
    EXPECT_EQ(merged.delays, (std::vector<int> { 8, 12 }));
    ASSERT_EQ(merged.frames.size(), 2u);
    EXPECT_EQ(merged.frames[1], pictureWithBlock(20));

    // Longer than one frame can hold: the picture goes on in further frames.
    GifAnimation still(Size, false);
    still.addFrame(pictureWithBlock(0), 1'000'000);
    const DecodedGif longGif = encoded(still);
    EXPECT_EQ(longGif.delays, (std::vector<int> { 65535, 34465 }));
    EXPECT_EQ(longGif.frames.back(), pictureWithBlock(0));
}

TEST(GifAnimation, MoreColoursThanAPaletteHoldsTakeTheNearestOnes)
{
    QImage rainbow(300, 2, QImage::Format_RGB32);
    for (int x = 0; x < 300; ++x) {
        rainbow.setPixel(x, 0, qRgb(x % 256, 0, 0));
        rainbow.setPixel(x, 1, qRgb(0, 0, x < 256 ? 0 : 255));
    }
    GifAnimation animation(rainbow.size(), false);
    ASSERT_TRUE(animation.addFrame(rainbow, 10));
    EXPECT_EQ(animation.colourCount(), 256);
    const DecodedGif gif = encoded(animation);
    ASSERT_EQ(gif.frames.size(), 1u);
    EXPECT_EQ(gif.frames[0].pixel(299, 0), rainbow.pixel(299, 0));
    EXPECT_EQ(gif.frames[0].pixel(299, 1), qRgb(0, 0, 0)); // the nearest of the 256 kept
}

TEST(GifAnimation, AFailedWriteLeavesNoFileBehind)
{
    TemporaryFolder folder;
    GifAnimation animation(Size, false);
    std::string bytes;
    EXPECT_FALSE(animation.encode(bytes).ok); // nothing added yet
    animation.addFrame(pictureWithBlock(0), 100);

    FaultyFileSystem files;
    files.readOnlyFolders.insert(folder.folder());
    const std::string target = (folder / "out.gif").string();
    GifOutcome outcome = animation.write(files, target);
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.error, "Cannot write the file " + target + ".");
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));

    // A file that was there stays as it was when the new one cannot take its place.
    folder.write("out.gif", "old");
    files.readOnlyFolders.clear();
    files.refuseReplace = true;
    EXPECT_FALSE(animation.write(files, target).ok);
    EXPECT_EQ(readWholeFile(target), "old");
    EXPECT_FALSE(std::filesystem::exists(target + ".part"));

    // A disk that fills up midway.
    files.refuseReplace = false;
    files.bytesLeft = 10;
    EXPECT_FALSE(animation.write(files, target).ok);
    EXPECT_EQ(readWholeFile(target), "old");
    EXPECT_FALSE(std::filesystem::exists(target + ".part"));

    files.bytesLeft.reset();
    outcome = animation.write(files, target);
    ASSERT_TRUE(outcome.ok) << outcome.error;
    EXPECT_TRUE(decodeGif(readWholeFile(target)).ok);
    EXPECT_FALSE(std::filesystem::exists(target + ".part"));
}

} // namespace
} // namespace marquis::testing
