#include "model/linereshape.h"

#include "model/linedocument.h"
#include "model/richtext.h"
#include "support/messagegenerator.h"

#include <gtest/gtest.h>

#include <iostream>
#include <vector>

using namespace marquis;

namespace {

constexpr std::string_view Lead = "\\sb90\\sa90 \\f0 \\cf0 ";

std::string plainLine(std::string_view text)
{
    return std::string(Lead) + std::string(text);
}

std::vector<std::string> blockTexts(std::string_view rich)
{
    std::vector<std::string> out;
    for (const std::string& block : splitBlocks(rich))
        out.push_back(GetText(block));
    return out;
}

using Texts = std::vector<std::string>;

TEST(LineReshapeTest, SplittingEndsWhenTheRestFits)
{
    // 45 characters: cut at the last blank within reach, the rest fits at the end.
    const std::string line45 = "THE QUICK BROWN FOX JUMPS OVER THE LAZY DOGS.";
    ASSERT_EQ(line45.size(), 45u);
    EXPECT_EQ(blockTexts(splitIntoBlocks(plainLine(line45))),
        (Texts { "THE QUICK BROWN FOX", "JUMPS OVER THE LAZY", "DOGS." }));

    // A blank at position 21 lets the first 20 characters make a whole block.
    const std::string line43 = "ABCDEFGHI KLMNOPQRST UVWXYZABC DEFGHIJKLMNO";
    ASSERT_EQ(line43.size(), 43u);
    EXPECT_EQ(blockTexts(splitIntoBlocks(plainLine(line43))),
        (Texts { "ABCDEFGHI KLMNOPQRST", "UVWXYZABC", "DEFGHIJKLMNO" }));

    // No blank: hard cut at 20.
    EXPECT_EQ(blockTexts(splitIntoBlocks(plainLine("ABCDEFGHIJKLMNOPQRSTUVWXY"))),
        (Texts { "ABCDEFGHIJKLMNOPQRST", "UVWXY" }));

    // A line that fits is one block; trailing blanks at a cut leave no empty block.
    EXPECT_EQ(blockTexts(splitIntoBlocks(plainLine("SHORT"))), (Texts { "SHORT" }));
    EXPECT_EQ(blockTexts(splitIntoBlocks(plainLine("ABCDEFGHIJKLMNOPQRST     "))),
        (Texts { "ABCDEFGHIJKLMNOPQRST" }));
    // Leading blanks alone never make a block.
    EXPECT_EQ(blockTexts(splitIntoBlocks(plainLine("   ABCDEFGHIJKLMNOPQRSTUVW"))),
        (Texts { "   ABCDEFGHIJKLMNOPQ", "RSTUVW" }));
}

TEST(LineReshapeTest, SplitBlocksAreWrittenAsTheReaderReadsThem)
{
    EXPECT_EQ(splitIntoBlocks("\\f0 \\cf0 ABCDEFGHIJKLMNOPQRSTUVWXY"),
        "\\sb90\\sa90 \\f0 \\cf0 ABCDEFGHIJKLMNOPQRST\\par\r\n\\f0 \\cf0 UVWXY");
    // A centred line stays centred in every block, marked once.
    EXPECT_EQ(splitIntoBlocks("\\sb90\\sa90 \\qc \\f0 \\cf0 ABCDEFGHIJKLMNOPQRSTUV"),
        "\\sb90\\sa90 \\qc \\f0 \\cf0 ABCDEFGHIJKLMNOPQRST\\par\r\n\\f0 \\cf0 UV");
}

TEST(LineReshapeTest, TheRestOfACutRunKeepsItsFont)
{
    const std::string rich = "\\sb90\\sa90 \\f0 \\cf0 ABCDEFGHIJKLMNO\\f65 \\cf0 PQRSTUVWXYZ";
    const std::vector<std::string> blocks = splitBlocks(splitIntoBlocks(rich));
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(GetText(blocks[1]), "UVWXYZ");
    EXPECT_EQ(blocks[1], "\\f65 \\cf0 UVWXYZ");
    EXPECT_EQ(CheckBlink(blocks[1]), "1");
}

TEST(LineReshapeTest, AVariableIsNeverCut)
{
    // The variable spans positions 18..22: the cut moves in front of it.
    const std::string rich = "\\sb90\\sa90 \\f0 \\cf0 ABCDEFGHIJKLMNOPQ\\f33 \\cf4 #####\\f0 \\cf0 XY";
    const std::vector<std::string> blocks = splitBlocks(splitIntoBlocks(rich));
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(GetText(blocks[0]), "ABCDEFGHIJKLMNOPQ");
    EXPECT_EQ(blocks[1], "\\f33 \\cf4 #####\\f0 \\cf0 XY");

    // A variable longer than a block stays whole in a block of its own.
    const std::string wide = "\\sb90\\sa90 \\f1 \\cf4 " + std::string(22, '#') + "\\f0 \\cf0 AB";
    EXPECT_EQ(blockTexts(splitIntoBlocks(wide)), (Texts { std::string(22, '#'), "AB" }));
}

TEST(LineReshapeTest, JoiningAndKeepingNeverEmptyALine)
{
    const std::string blocks = "\\sb90\\sa90 \\f0 \\cf0 HELLO\\par\r\n\\qc \\f0 \\cf0 WORLD";
    const std::string joined = joinBlocks(blocks);
    EXPECT_EQ(GetText(joined), "HELLO WORLD");
    EXPECT_FALSE(hasControlWord(joined, "qc"));
    EXPECT_EQ(joined.find("\\par"), std::string::npos);

    const KeptText kept = keepLeading(joined, ContinuousLimit);
    EXPECT_EQ(kept.rich, joined);
    EXPECT_EQ(kept.dropped, 0u);

    const KeptText noBlank = keepLeading(plainLine("HELLOWORLDHELLOWORLDHELLO"), 20);
    EXPECT_EQ(GetText(noBlank.rich), "HELLOWORLDHELLOWORLD");
    EXPECT_EQ(noBlank.dropped, 5u);

    const KeptText words = keepLeading(plainLine("THE QUICK BROWN FOX JUMPS"), 20);
    EXPECT_EQ(GetText(words.rich), "THE QUICK BROWN FOX");
    EXPECT_EQ(words.dropped, 6u); // the blank at the cut and "JUMPS"

    const std::string longLine = plainLine(std::string(100, 'A') + " " + std::string(100, 'B'));
    const KeptText limited = keepLeading(longLine, ContinuousLimit);
    EXPECT_EQ(GetText(limited.rich), std::string(100, 'A'));
    EXPECT_EQ(limited.dropped, 101u);
}

CurrentMessage messageOf(int unitLines, const std::vector<std::string>& texts)
{
    CurrentMessage message;
    message.UnitLines = static_cast<std::int16_t>(unitLines);
    for (std::size_t i = 0; i < texts.size(); ++i)
        message.line(static_cast<int>(i) + 1).LineText = texts[i];
    return message;
}

TEST(LineReshapeTest, SpreadingKeepsTheLastBlockAndCountsTheDropped)
{
    CurrentMessage two = messageOf(2, { "\\sb90\\sa90 \\f0 \\cf0 ONE\\par\r\n\\f0 \\cf0 TWO" });
    SpreadResult spread = spreadBlocksOverLines(two);
    EXPECT_EQ(spread.message.line(1).LineText, plainLine("ONE"));
    EXPECT_EQ(spread.message.line(2).LineText, plainLine("TWO"));
    EXPECT_EQ(spread.droppedBlocks, 0u);

    CurrentMessage three = messageOf(
        2, { "\\sb90\\sa90 \\f0 \\cf0 ONE\\par\r\n\\f0 \\cf0 TWO\\par\r\n\\f0 \\cf0 THREE" });
    spread = spreadBlocksOverLines(three);
    EXPECT_EQ(GetText(spread.message.line(1).LineText), "ONE");
    EXPECT_EQ(GetText(spread.message.line(2).LineText), "TWO");
    EXPECT_EQ(spread.droppedBlocks, 1u);
}

TEST(LineReshapeTest, BlinkingTextKeepsARate)
{
    CurrentMessage message = messageOf(4, { plainLine("STEADY"), "\\sb90\\sa90 \\f65 \\cf0 BLINK" });
    CurrentMessage merged = mergeLinesForVerticalScroll(message);
    EXPECT_EQ(merged.line(1).LineBlink, "25,ON");
    EXPECT_TRUE(merged.line(2).LineText.empty());

    message.line(2).LineBlink = "10,1";
    merged = mergeLinesForVerticalScroll(message);
    EXPECT_EQ(merged.line(1).LineBlink, "10,1");
    EXPECT_TRUE(merged.line(2).LineBlink.empty());

    // Spread back, the blinking line gets line 1's rate.
    const SpreadResult spread = spreadBlocksOverLines(merged);
    EXPECT_EQ(GetText(spread.message.line(2).LineText), "BLINK");
    EXPECT_EQ(spread.message.line(2).LineBlink, "10,1");
}

TEST(LineReshapeTest, MergingFollowsTheLinesWithText)
{
    const CurrentMessage message = messageOf(4,
        { "\\sb90\\sa90 \\qc \\f0 \\cf0 TOP", "", plainLine("THIRD"), plainLine("FOURTH") });
    const CurrentMessage merged = mergeLinesForVerticalScroll(message);
    EXPECT_EQ(merged.line(1).LineText,
        "\\sb90\\sa90 \\qc \\f0 \\cf0 TOP\\par\r\n\\f0 \\cf0 \\ql THIRD\\par\r\n\\f0 \\cf0 FOURTH");
    for (int i = 2; i <= 4; ++i)
        EXPECT_TRUE(merged.line(i).LineText.empty());

    // An empty line 1 takes the next line's text without a block end in front.
    const CurrentMessage late = mergeLinesForVerticalScroll(messageOf(2, { "", plainLine("LATE") }));
    EXPECT_EQ(late.line(1).LineText, plainLine("LATE"));
}

// Generated lines, made long by merging a message's lines and joining the blocks.
TEST(LineReshapeTest, ReshapingHoldsOverGeneratedLines)
{
    constexpr unsigned Seed = 20261208;
    std::cout << "linereshape property seed " << Seed << '\n';
    marquis::testing::MessageGenerator generator(Seed);
    const auto withoutBlanks = [](std::string text) {
        std::erase(text, ' ');
        return text;
    };
    for (int round = 0; round < 1500; ++round) {
        const CurrentMessage message = generator.message();
        const std::string line = joinBlocks(mergeLinesForVerticalScroll(message).line(1).LineText);
        for (const std::string& rich : { line, message.line(1).LineText }) {
            const std::string split = splitIntoBlocks(rich);
            const std::string joined = joinBlocks(split);
            ASSERT_EQ(withoutBlanks(GetText(joinBlocks(rich))), withoutBlanks(GetText(joined)))
                << rich;
            const LineDocument document = readLineDocument(split);
            for (const LineBlock& block : document.blocks) {
                std::size_t shown = 0;
                for (const LineRun& run : block.runs)
                    shown += run.text.size();
                const bool oneWideVariable =
                    block.runs.size() == 1 && isVariableFont(block.runs[0].font);
                ASSERT_TRUE(shown <= DisplayWidth || oneWideVariable) << split;
            }
            // No variable is cut: each variable of the line is found whole in the blocks.
            const LineDocument before = readLineDocument(rich);
            std::size_t variablesBefore = 0;
            std::size_t variablesAfter = 0;
            for (const LineBlock& block : before.blocks)
                for (const LineRun& run : block.runs)
                    variablesBefore += isVariableFont(run.font) ? 1 : 0;
            for (const LineBlock& block : document.blocks)
                for (const LineRun& run : block.runs)
                    variablesAfter += isVariableFont(run.font) ? 1 : 0;
            ASSERT_EQ(variablesBefore, variablesAfter) << split;

            const KeptText kept = keepLeading(rich, DisplayWidth);
            ASSERT_FALSE(GetText(joinBlocks(rich)).find_first_not_of(' ') != std::string::npos &&
                GetText(kept.rich).empty())
                << rich;
        }

        // Merge then spread gives the lines with text back, in order.
        CurrentMessage lines = message;
        std::vector<LineBlock> texts;
        for (int i = 1; i <= lines.UnitLines; ++i) {
            std::string& text = lines.line(i).LineText;
            text = joinBlocks(text);
            if (!GetText(text).empty())
                texts.push_back(readLineDocument(text).blocks.front());
        }
        const SpreadResult spread = spreadBlocksOverLines(mergeLinesForVerticalScroll(lines));
        ASSERT_EQ(spread.droppedBlocks, 0u);
        for (std::size_t i = 0; i < texts.size(); ++i) {
            const EditLine& back = spread.message.line(static_cast<int>(i) + 1);
            const LineDocument document = readLineDocument(back.LineText);
            ASSERT_EQ(document.blocks.size(), 1u) << back.LineText;
            ASSERT_EQ(document.blocks.front().runs, texts[i].runs) << back.LineText;
            ASSERT_EQ(document.blocks.front().centred, texts[i].centred) << back.LineText;
            ASSERT_TRUE(CheckBlink(back.LineText).empty() || !back.LineBlink.empty());
        }
    }
}

} // namespace
