#include "model/richtext.h"

#include <gtest/gtest.h>

using namespace marquis;

namespace {

TEST(BlinkToggleTest, SteadyFirstRunMakesEverythingBlink)
{
    EXPECT_EQ(ToggleBlink("\\f0 \\cf0 ab\\f3 \\cf4 ##\\f35 \\cf4 #"),
        "\\f65 \\f0 \\cf0 ab\\f19 \\f3 \\cf4 ##\\f51 \\f35 \\cf4 #");
}

TEST(BlinkToggleTest, BlinkingFirstRunMakesEverythingSteady)
{
    EXPECT_EQ(ToggleBlink("\\f20 \\cf4 ###\\f65 \\cf0 text\\f0 \\cf0 plain\\f52 \\cf4 #"),
        "\\f4 \\f20 \\cf4 ###\\f0 \\f65 \\cf0 text\\f0 \\cf0 plain\\f36 \\f52 \\cf4 #");
}

TEST(BlinkToggleTest, BlanksAroundAPlainRunNeverBlink)
{
    EXPECT_EQ(ToggleBlink("  ab "), "\\f0 \\cf0   \\f65 ab\\f0 \\cf0  ");
    EXPECT_EQ(ToggleBlink("\\f0 \\cf0    "), "\\f0 \\cf0    "); // blanks only: left steady
}

TEST(BlinkToggleTest, ToggledTextWritesAsBlinking)
{
    // The new font word goes in front of the old one, so the first font word of the run wins.
    const std::string toggled = ToggleBlink("\\f0 \\cf0 x\\par\r\n\\f0 \\cf0 y");
    EXPECT_EQ(toggled, "\\f65 \\f0 \\cf0 x\\par\r\n\\f65 \\f0 \\cf0 y");
    EXPECT_EQ(CheckBlink(toggled), "1");
    EXPECT_EQ(GetText(ToggleBlink(toggled)), GetText(toggled));
}

} // namespace
