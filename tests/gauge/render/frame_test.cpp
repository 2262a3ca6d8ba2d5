#include "render/framegeometry.h"

#include <gtest/gtest.h>
#include <map>

using namespace qvgauge;

namespace {

// The colour each pixel ends with after the pieces are painted in order.
std::map<std::pair<int, int>, FrameColor> paintOf(const std::vector<FramePiece>& pieces)
{
    std::map<std::pair<int, int>, FrameColor> pixels;
    for (const FramePiece& piece : pieces)
        for (int y = piece.rect.top; y < piece.rect.bottom; ++y)
            for (int x = piece.rect.left; x < piece.rect.right; ++x)
                pixels[{ x, y }] = piece.color;
    return pixels;
}

FrameColor at(const std::vector<FramePiece>& pieces, int x, int y)
{
    return paintOf(pieces).at({ x, y });
}

} // namespace

TEST(FrameGeometry, LoweredAndRaisedRingsLightOppositeSides)
{
    const PixelRect rect { 0, 0, 20, 10 };
    const auto lowered = framePieces(rect, 2, BorderStyle::None, BevelStyle::Lowered);
    const auto pixels = paintOf(lowered);
    ASSERT_EQ(pixels.size(), 200u); // nothing outside the rectangle
    for (int ring = 0; ring < 2; ++ring) {
        EXPECT_EQ(at(lowered, 5, ring), FrameColor::Shadow);
        EXPECT_EQ(at(lowered, ring, 5), FrameColor::Shadow);
        EXPECT_EQ(at(lowered, 5, 9 - ring), FrameColor::Light);
        EXPECT_EQ(at(lowered, 19 - ring, 5), FrameColor::Light);
    }
    EXPECT_EQ(at(lowered, 5, 2), FrameColor::Face);
    EXPECT_EQ(at(lowered, 2, 5), FrameColor::Face);

    const auto raised = framePieces(rect, 1, BorderStyle::None, BevelStyle::Raised);
    EXPECT_EQ(at(raised, 5, 0), FrameColor::Light);
    EXPECT_EQ(at(raised, 19, 5), FrameColor::Shadow);
    EXPECT_EQ(at(raised, 5, 1), FrameColor::Face);

    // Width 0 draws the face alone; a huge width stops at the middle.
    EXPECT_EQ(framePieces(rect, 0, BorderStyle::None, BevelStyle::Raised).size(), 1u);
    EXPECT_EQ(
        paintOf(framePieces(rect, 30000, BorderStyle::None, BevelStyle::Lowered)).size(), 200u);
    EXPECT_TRUE(
        framePieces({ 5, 5, 5, 9 }, 3, BorderStyle::SingleLine, BevelStyle::Raised).empty());
}

TEST(FrameGeometry, BordersSitOnTheEdgeWithTheBevelInside)
{
    const PixelRect rect { 2, 3, 12, 11 };
    const auto single = framePieces(rect, 1, BorderStyle::SingleLine, BevelStyle::Lowered);
    EXPECT_EQ(at(single, 2, 3), FrameColor::Border);
    EXPECT_EQ(at(single, 11, 10), FrameColor::Border);
    EXPECT_EQ(at(single, 3, 4), FrameColor::Shadow);
    EXPECT_EQ(at(single, 10, 7), FrameColor::Light);

    const auto rounded = framePieces(rect, 0, BorderStyle::RoundedCorners, BevelStyle::Lowered);
    for (const auto& [x, y] :
        { std::pair { 2, 3 }, std::pair { 11, 3 }, std::pair { 2, 10 }, std::pair { 11, 10 } })
        EXPECT_EQ(at(rounded, x, y), FrameColor::ParentBackground);
    EXPECT_EQ(at(rounded, 3, 3), FrameColor::Border);
}

TEST(FrameGeometry, ChiselFillsWithThePatternAndCutsAGroove)
{
    EXPECT_TRUE(chiselIsLight(1, 1));
    EXPECT_TRUE(chiselIsLight(7, 3));
    EXPECT_FALSE(chiselIsLight(2, 1));
    EXPECT_FALSE(chiselIsLight(1, 0));

    const PixelRect rect { 0, 0, 20, 16 };
    const auto chisel = framePieces(rect, 3, BorderStyle::None, BevelStyle::Chisled);
    EXPECT_EQ(chisel.front().color, FrameColor::ChiselPattern);
    EXPECT_EQ(at(chisel, 8, 3), FrameColor::Shadow); // the groove, three pixels in
    EXPECT_EQ(at(chisel, 3, 8), FrameColor::Shadow);
    EXPECT_EQ(at(chisel, 8, 4), FrameColor::Light); // its light edge one pixel down and right
    EXPECT_EQ(at(chisel, 17, 8), FrameColor::Light);
    EXPECT_EQ(at(chisel, 16, 8), FrameColor::Shadow);
    EXPECT_EQ(at(chisel, 8, 8), FrameColor::ChiselPattern);
    EXPECT_EQ(paintOf(chisel).size(), 320u);
}

TEST(FrameGeometry, ShadowsFallBesideTheFaceWithTheCornersLeftOpen)
{
    const PixelRect rect { 0, 0, 20, 10 };
    const auto right = framePieces(rect, 3, BorderStyle::None, BevelStyle::ShadowedRight);
    EXPECT_EQ(at(right, 18, 5), FrameColor::Shadow);
    EXPECT_EQ(at(right, 10, 8), FrameColor::Shadow);
    EXPECT_EQ(at(right, 18, 1), FrameColor::ParentBackground);
    EXPECT_EQ(at(right, 1, 8), FrameColor::ParentBackground);
    EXPECT_EQ(at(right, 16, 6), FrameColor::Face);
    EXPECT_EQ(at(right, 0, 0), FrameColor::Face);

    const auto left = framePieces(rect, 3, BorderStyle::None, BevelStyle::ShadowedLeft);
    EXPECT_EQ(at(left, 1, 5), FrameColor::Shadow);
    EXPECT_EQ(at(left, 10, 1), FrameColor::Shadow);
    EXPECT_EQ(at(left, 0, 0), FrameColor::Shadow);
    EXPECT_EQ(at(left, 18, 1), FrameColor::ParentBackground);
    EXPECT_EQ(at(left, 1, 8), FrameColor::ParentBackground);
    EXPECT_EQ(at(left, 19, 9), FrameColor::Face);
    EXPECT_EQ(at(left, 3, 3), FrameColor::Face);

    // A band wider than the rectangle is held to it.
    EXPECT_EQ(
        paintOf(framePieces(rect, 500, BorderStyle::None, BevelStyle::ShadowedLeft)).size(), 200u);
}
