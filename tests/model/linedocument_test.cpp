#include "model/linedocument.h"

#include <gtest/gtest.h>

using namespace marquis;

namespace {

long long makeBlinking(long long font)
{
    return font == PlainFont ? BlinkingTextFont : font;
}

TEST(LineDocumentTest, LinesAsTheReaderGivesThemComeBackByteForByte)
{
    for (const std::string rich : {
             "\\sb90\\sa90 \\f0 \\cf0 HELLO",
             "\\sb90\\sa90 \\qc \\f0 \\cf0 WELCOME",
             "\\sb90\\sa90 \\f0 \\cf0 OVEN \\f33 \\cf4 ####\\f0 \\cf0  C",
             "\\sb90\\sa90 \\f0 \\cf0 ONE\\par\r\n\\qc \\f65 \\cf0 TWO\\par\r\n\\ql \\f0 \\cf0 3",
             "\\sb90\\sa90 \\f0 \\cf0 a\\f0 \\cf0 b", // two runs of one font stay two
             "\\sb90\\sa90 \\f0 \\cf0 back\\\\slash \\\\fs30 kept",
         }) {
        EXPECT_EQ(writeLineDocument(readLineDocument(rich)), rich);
    }
}

TEST(LineDocumentTest, PositionsCountCharactersAcrossBlocks)
{
    const LineDocument line =
        readLineDocument("\\sb90\\sa90 \\f0 \\cf0 AB\\f3 \\cf4 ##\\par\r\n\\f65 \\cf0 CDE");
    EXPECT_EQ(characterCount(line), 7u);
    EXPECT_EQ(plainCharacters(line), "AB##CDE");
    EXPECT_EQ(fontAt(line, 2), 3);
    EXPECT_EQ(fontAt(line, 4), BlinkingTextFont);
    EXPECT_EQ(fontAt(line, 99), PlainFont);
    EXPECT_EQ(runSpanAt(line, 3), (CharacterSpan { 2, 4 }));
    EXPECT_TRUE(runSpanAt(line, 7).empty());
    EXPECT_EQ(blockAt(line, 3), 0u);
    EXPECT_EQ(blockAt(line, 4), 1u);
    EXPECT_EQ(blockAt(line, 50), 1u);
    EXPECT_EQ(blockSpan(line, 1), (CharacterSpan { 4, 7 }));
    EXPECT_TRUE(blockSpan(line, 2).empty());
}

TEST(LineDocumentTest, ChangingFontsCutsRunsAndJoinsOnlyWhatTheChangeMadeAlike)
{
    LineDocument line = readLineDocument("\\sb90\\sa90 \\f0 \\cf0 HELLO");
    changeFonts(line, { 1, 3 }, makeBlinking);
    EXPECT_EQ(writeLineDocument(line),
        "\\sb90\\sa90 \\f0 \\cf0 H\\f65 \\cf0 EL\\f0 \\cf0 LO");

    // Turning the part steady again gives one run back.
    changeFonts(line, { 1, 3 }, [](long long) { return PlainFont; });
    EXPECT_EQ(writeLineDocument(line), "\\sb90\\sa90 \\f0 \\cf0 HELLO");

    // Neighbouring runs the change does not touch stay apart, as they were read.
    line = readLineDocument("\\sb90\\sa90 \\f0 \\cf0 a\\f0 \\cf0 b\\f3 \\cf4 ##");
    changeFonts(line, { 2, 4 }, [](long long) { return 19; });
    EXPECT_EQ(writeLineDocument(line), "\\sb90\\sa90 \\f0 \\cf0 a\\f0 \\cf0 b\\f19 \\cf4 ##");
}

TEST(LineDocumentTest, NeighbouringVariableRunsStayTwoFields)
{
    LineDocument line = readLineDocument("\\sb90\\sa90 \\f0 \\cf0 ####");
    changeFonts(line, { 0, 2 }, [](long long) { return 3; });
    changeFonts(line, { 2, 4 }, [](long long) { return 3; });
    EXPECT_EQ(writeLineDocument(line), "\\sb90\\sa90 \\f3 \\cf4 ##\\f3 \\cf4 ##");
}

TEST(LineDocumentTest, ChangesStayInsideTheirBlocks)
{
    LineDocument line =
        readLineDocument("\\sb90\\sa90 \\f0 \\cf0 AB\\par\r\n\\f0 \\cf0 CD");
    changeFonts(line, { 1, 3 }, makeBlinking);
    EXPECT_EQ(writeLineDocument(line),
        "\\sb90\\sa90 \\f0 \\cf0 A\\f65 \\cf0 B\\par\r\n\\f65 \\cf0 C\\f0 \\cf0 D");
}

} // namespace
