#include "model/richtext.h"

#include <gtest/gtest.h>

using namespace marquis;

namespace {

TEST(GetTextTest, CountsOnlyVisibleCharacters)
{
    EXPECT_EQ(GetText("\\sb90\\sa90 \\f0 \\cf0 Hello"), "Hello");
    EXPECT_EQ(GetText("\\f0 \\cf0 a\\\\b"), "a\\b");
    EXPECT_EQ(GetText("\\f0\\cf0 x"), "x"); // a backslash ends a control word
    EXPECT_EQ(GetText("a\\par\r\nb"), "a\r\nb"); // line breaks are counted
    EXPECT_EQ(GetText("a\x01\xe9 b"), "a b"); // other characters are not
    EXPECT_EQ(GetText("\r\n{\\rtf1 header}\r\n\\f0 \\cf0 body"), "body");
    EXPECT_EQ(GetText("\\f0 \\cf0 12345678901234567890").size(), 20u);
}

TEST(FontTestsTest, BlinkAndVariableDetection)
{
    EXPECT_EQ(CheckBlink("\\f0 \\cf0 a\\f50 \\cf4 ###"), "1");
    EXPECT_EQ(CheckBlink("\\f65 \\cf0 a"), "1");
    EXPECT_EQ(CheckBlink("\\f0 \\cf0 a\\f33 \\cf4 ##\\f16 \\cf4 #"), "");
    EXPECT_EQ(CheckBlink("\\f0 \\cf0 a\\\\f65 b"), ""); // a literal backslash is text
    EXPECT_TRUE(CheckVariable("\\f0 \\cf0 a\\f64 \\cf4 #"));
    EXPECT_FALSE(CheckVariable("\\f0 \\cf0 a\\f65 \\cf0 b"));
    EXPECT_FALSE(CheckVariable("\\fs20 \\f0 x"));
}

TEST(FontAtPositionTest, FindsTheRunUnderACharacter)
{
    const std::string rich = "\\sb90\\sa90 \\f0 \\cf0 ab\\f20 \\cf4 ###\\f65 \\cf0 cd";
    EXPECT_EQ(FontAtPosition(rich, 1), 0);
    EXPECT_EQ(FontAtPosition(rich, 2), 0);
    EXPECT_EQ(FontAtPosition(rich, 3), 20);
    EXPECT_EQ(FontAtPosition(rich, 6), 65);
    EXPECT_EQ(FontAtPosition(rich, 8), -1);
    EXPECT_EQ(FontAtPosition(rich, 0), -1);
}

TEST(TruncateTextTest, CutsAtTheLastBlankBeforeTheLimit)
{
    std::string rich = "\\f0 \\cf0 The quick brown fox jumps";
    EXPECT_EQ(TruncateText(rich, 20), "\\f0 \\cf0 The quick brown fox");
    EXPECT_EQ(rich, "\\f0 \\cf0 jumps"); // the rest keeps its font

    std::string fits = "\\f0 \\cf0 short";
    EXPECT_EQ(TruncateText(fits, 20), "");
    EXPECT_EQ(fits, "\\f0 \\cf0 short");

    std::string word = "\\f65 \\cf0 abcdefghijklmnopqrstuvwxyz";
    EXPECT_EQ(TruncateText(word, 20), "\\f65 \\cf0 abcdefghijklmnopqrst");
    EXPECT_EQ(word, "\\f65 \\cf0 uvwxyz");
}

TEST(TruncateTextTest, SplittingALineLosesNoCharacter)
{
    std::string rich = "\\f0 \\cf0 one two three four five six seven eight nine ten eleven";
    const std::string plain = GetText(rich);
    std::string joined;
    for (int guard = 0; guard < 20 && !rich.empty(); ++guard) {
        std::string head = TruncateText(rich, 20);
        if (head.empty())
            std::swap(head, rich);
        EXPECT_LE(GetText(head).size(), 20u);
        joined += (joined.empty() ? "" : " ") + GetText(head);
    }
    EXPECT_EQ(joined, plain);
}

TEST(ControlWordTest, RecognisesWholeControlWordsOnly)
{
    EXPECT_TRUE(hasControlWord("\\sb90\\sa90 \\qc \\f0 x", "qc"));
    EXPECT_TRUE(hasControlWord("\\qc\\f0 x", "qc"));
    EXPECT_FALSE(hasControlWord("\\f0 \\cf0 \\\\qc", "qc"));
    EXPECT_FALSE(hasControlWord("\\qcx x", "qc"));
}

TEST(SplitBlocksTest, CutsAtParagraphEnds)
{
    EXPECT_EQ(splitBlocks("a\\par\r\nb\\par\r\n"), (std::vector<std::string> { "a", "b", "" }));
    EXPECT_EQ(splitBlocks("a\\par b"), (std::vector<std::string> { "a\\par b" }));
}

} // namespace
