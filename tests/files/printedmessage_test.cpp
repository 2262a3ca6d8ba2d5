#include "files/printedmessage.h"
#include "model/richtext.h"
#include "support/modelfixture.h"

#include <gtest/gtest.h>

using namespace marquis;
using namespace marquis::testing;

namespace {

std::string joined(const PrintLine& line)
{
    std::string text;
    for (const PrintRun& run : line)
        text += run.text;
    return text;
}

std::vector<std::string> texts(const std::vector<PrintLine>& lines)
{
    std::vector<std::string> result;
    for (const PrintLine& line : lines)
        result.push_back(joined(line));
    return result;
}

std::string run(long long font, const std::string& text)
{
    return fontControlWords(font) + text;
}

class PrintedMessageTest : public ModelTest {
protected:
    std::vector<std::string> textOnly(CurrentMessage& message)
    {
        writer.SubMake(message);
        return texts(
            printedMessage(message.MessageScript, message.MessageNumber, PrintMode::TextOnly, "#"));
    }
};

TEST_F(PrintedMessageTest, CompleteFormShowsEveryLineWithTheSubNameInBold)
{
    const std::string text = subText(5, 1, "LINE1:\r\n    CALL CURSOR(1,1)\r\n    PRINT\"A\";\r\n");
    const std::vector<PrintLine> lines = printedMessage(text, 5, PrintMode::Complete, "#");
    const std::vector<std::string_view> source = textLines(text);
    ASSERT_EQ(lines.size(), source.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(joined(lines[i]), "    " + std::string(source[i]));
    ASSERT_EQ(lines[0].size(), 3u);
    EXPECT_EQ(lines[0][1].text, "SUB 5");
    EXPECT_EQ(lines[0][1].style, PrintStyle::Bold);
    EXPECT_EQ(lines[0][2].style, PrintStyle::Normal);
    EXPECT_TRUE(lines[0][2].text.starts_with("(TASK=1)    // CRC value ="));
}

TEST_F(PrintedMessageTest, TextOnlyJoinsTheRunsOfALineAndDecodesQuotesAndBackslashes)
{
    CurrentMessage message;
    message.MessageNumber = 7;
    message.setTask(2);
    message.line(1).LineText = "\\sb90\\sa90 " + run(PlainFont, "Say ") +
        run(BlinkingTextFont, "\"hi\"") + run(PlainFont, " \\\\ ") + run(1, "###") +
        run(PlainFont, " ") + run(2, "##.#");
    message.line(2).LineText = "\\sb90\\sa90 \\qc " + run(PlainFont, "MID");
    message.OutputDevice = "Tank \"A\" \\ full";
    const std::vector<PrintLine> lines = [&] {
        writer.SubMake(message);
        return printedMessage(message.MessageScript, 7, PrintMode::TextOnly, "#");
    }();
    EXPECT_EQ(texts(lines),
        (std::vector<std::string> { "    Message= 7    TASK=2",
            "        Send text: Tank \"A\" \\ full",
            "        LINE1:", "            Say \"hi\" \\ ### ##.#",
            "        LINE2:", "            " + std::string(8, ' ') + "MID" }));
    ASSERT_EQ(lines[0].size(), 3u);
    EXPECT_EQ(lines[0][1].text, "Message= 7    ");
    EXPECT_EQ(lines[0][1].style, PrintStyle::Bold);
}

TEST_F(PrintedMessageTest, TextOnlyShowsEachBlockOfAPlayedLineOnItsOwn)
{
    for (const bool horizontal : { false, true }) {
        CurrentMessage message;
        message.MessageNumber = 3;
        message.BlockScrollOn = horizontal;
        message.VerticalScrollOn = !horizontal;
        message.BlockWait = "5";
        message.line(1).LineText = "\\sb90\\sa90 " + run(PlainFont, "FIRST BLOCK") + "\\par\r\n" +
            run(PlainFont, "SECOND");
        message.line(1).LineBlock = "0,2";
        EXPECT_EQ(textOnly(message),
            (std::vector<std::string> { "    Message= 3    TASK=0",
                "        LINE1:", "            FIRST BLOCK", "            SECOND" }))
            << (horizontal ? "horizontal" : "vertical");
    }
}

TEST_F(PrintedMessageTest, ASubLineWithoutParenthesisIsPrintedAsItIs)
{
    const std::string text = "SUB 5 TASK=1\r\nLINE1:\r\n    PRINT\"X\";\r\nEND SUB\r\n";
    for (const PrintMode mode : { PrintMode::TextOnly, PrintMode::Complete }) {
        const std::vector<PrintLine> lines = printedMessage(text, 5, mode, "#");
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(joined(lines[0]), "    SUB 5 TASK=1");
    }
    EXPECT_EQ(texts(printedMessage(text, 5, PrintMode::TextOnly, "#")),
        (std::vector<std::string> { "    SUB 5 TASK=1", "        LINE1:", "            X" }));
    // Lines end at CR LF, at a lone LF and at a lone CR alike.
    EXPECT_EQ(textLines("A\r\nB\nC\rD"), (std::vector<std::string_view> { "A", "B", "C", "D" }));
}

} // namespace
