#include "model/windows1252.h"

#include <gtest/gtest.h>

using namespace marquis;

namespace {

TEST(Windows1252Test, EveryByteSurvivesTheWayThroughUtf8)
{
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all += static_cast<char>(byte);
    const auto back = utf8ToWindows1252(windows1252ToUtf8(all));
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, all);
}

TEST(Windows1252Test, KnownCharacters)
{
    EXPECT_EQ(windows1252ToUtf8("\x80\xe9"), "\u20ac\u00e9");
    EXPECT_EQ(utf8ToWindows1252("caf\u00e9 \u20ac"), std::string("caf\xe9 \x80"));
}

TEST(Windows1252Test, RefusesWhatItCannotHold)
{
    EXPECT_FALSE(utf8ToWindows1252("\u4e2d").has_value()); // not in the character set
    EXPECT_FALSE(utf8ToWindows1252("\xc3").has_value()); // cut short
    EXPECT_FALSE(utf8ToWindows1252("\xc0\xaf").has_value()); // overlong form
    EXPECT_FALSE(utf8ToWindows1252("\xff").has_value()); // not UTF-8 at all
}

} // namespace
