#include "files/printlayout.h"
#include "support/fakepagemeasure.h"

#include <gtest/gtest.h>
#include <string>

using namespace marquis;
using namespace marquis::testing;

namespace {

std::string collapsed(const std::string& text)
{
    std::string result;
    for (const char c : text)
        if (c != ' ' || (!result.empty() && result.back() != ' '))
            result += c;
    while (!result.empty() && result.back() == ' ')
        result.pop_back();
    return result;
}

TEST(PageComposer, HeadingsAreCentredByBlanksThatNeverGoBelowNone)
{
    const FakePageMeasure measure(100, 60);
    PageComposer composer(measure);
    // 100 units hold 50 heading blanks: (50 - 5 - 10) / 2 = 17.
    EXPECT_EQ(composer.centringBlanks(10), 17);
    EXPECT_EQ(composer.centringBlanks(45), 0);
    EXPECT_EQ(composer.centringBlanks(400), 0);

    composer.startCopy();
    composer.heading("0123456789");
    const std::string path = "Filename: /" + std::string(120, 'x') + "/demo.src";
    composer.heading(path);
    const PrintDocument document = composer.finish();
    const std::vector<std::string> lines = documentLines(document);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], std::string(17, ' ') + "0123456789");
    // A heading wider than the page starts at the left edge and goes on over further lines.
    std::string rest;
    for (std::size_t i = 1; i < lines.size(); ++i)
        rest += lines[i];
    EXPECT_EQ(collapsed(rest).find("Filename: /"), 0u);
    EXPECT_NE(rest.find("/demo.src"), std::string::npos);
    for (const PlacedRun& run : document.pages[0].runs)
        EXPECT_LE(run.x + measure.textWidth(run.text, run.style), 100);
}

TEST(PageComposer, PagesBreakAboveTheFootAndFromTheSecondOnCarryTheirNumber)
{
    const FakePageMeasure measure(80, 30);
    PageComposer composer(measure);
    composer.startCopy();
    for (int i = 0; i < 100; ++i)
        composer.line({ { "line " + std::to_string(i) } });
    const PrintDocument document = composer.finish();

    std::vector<std::string> content;
    for (const PrintedPage& page : document.pages) {
        EXPECT_EQ(page.copy, 1);
        for (const PlacedRun& run : page.runs) {
            // Nothing starts within the eight lines at the foot of the page.
            EXPECT_LE(run.y, 30 - 8);
            if (page.number > 1 && run.y == 1) {
                EXPECT_EQ(run.text, std::to_string(page.number));
                EXPECT_EQ(run.x, 40);
            } else {
                EXPECT_GE(run.y, page.number > 1 ? 4 : 0);
                content.push_back(run.text);
            }
        }
    }
    ASSERT_EQ(content.size(), 100u);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(content[static_cast<std::size_t>(i)], "line " + std::to_string(i));
    // Lines start at 0..22 on the first page, at 4..22 after it.
    EXPECT_EQ(document.pages[0].runs.size(), 23u);
    EXPECT_EQ(document.pages[1].runs.size(), 1u + 19u);
    for (std::size_t p = 0; p < document.pages.size(); ++p)
        EXPECT_EQ(document.pages[p].number, static_cast<int>(p) + 1);
}

TEST(PageComposer, EveryCopyStartsOnAPageOfItsOwnNumberedFromOne)
{
    const FakePageMeasure measure(80, 30);
    PageComposer composer(measure);
    for (int copy = 0; copy < 2; ++copy) {
        composer.startCopy();
        composer.heading("HEADING");
        for (int i = 0; i < 30; ++i)
            composer.line({ { "line " + std::to_string(i) } });
    }
    const PrintDocument document = composer.finish();
    ASSERT_EQ(document.pages.size(), 4u);
    const int copies[] = { 1, 1, 2, 2 };
    const int numbers[] = { 1, 2, 1, 2 };
    for (std::size_t p = 0; p < 4; ++p) {
        EXPECT_EQ(document.pages[p].copy, copies[p]);
        EXPECT_EQ(document.pages[p].number, numbers[p]);
    }
    EXPECT_EQ(pageLines(document.pages[2]), pageLines(document.pages[0]));
    EXPECT_EQ(pageLines(document.pages[3]), pageLines(document.pages[1]));
}

TEST(PageComposer, ALineWiderThanThePageGoesOnWithoutLosingText)
{
    const FakePageMeasure measure(24, 200);
    PageComposer composer(measure);
    composer.startCopy();
    const std::string statement =
        "    CALL LOCK_BUFFER(ON)      // Lock the current message-can't be interrupted";
    composer.line(
        { { "    " }, { "CALL LOCK_BUFFER", PrintStyle::Bold }, { statement.substr(20) } });
    const std::string word(50, 'W');
    composer.line({ { "  " + word } });
    const PrintDocument document = composer.finish();

    const std::vector<std::string> lines = documentLines(document);
    ASSERT_GT(lines.size(), 3u);
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_LE(lines[i].size(), 24u) << lines[i];
        if (i + 3 < lines.size())
            joined += lines[i] + " ";
    }
    EXPECT_EQ(collapsed(joined), collapsed(statement));
    // Broken at a blank, the rest indented four blanks beyond the line's own indent.
    EXPECT_EQ(lines[0], "    CALL LOCK_BUFFER(ON)");
    EXPECT_EQ(lines[1], "        // Lock the");
    // A word wider than the page is cut where the page ends.
    EXPECT_EQ(std::vector<std::string>(lines.end() - 3, lines.end()),
        (std::vector<std::string> { "  " + std::string(22, 'W'),
            std::string(6, ' ') + std::string(18, 'W'),
            std::string(6, ' ') + std::string(10, 'W') }));
    // The type faces stay with their characters.
    EXPECT_EQ(document.pages[0].runs[1].text, "CALL LOCK_BUFFER");
    EXPECT_EQ(document.pages[0].runs[1].style, PrintStyle::Bold);
}

TEST(PageComposer, APageNarrowerThanTheIndentStillPrintsEveryCharacter)
{
    const FakePageMeasure measure(3, 400);
    PageComposer composer(measure);
    composer.startCopy();
    composer.line({ { "        ABCDEFG" } });
    std::string joined;
    for (const std::string& line : documentLines(composer.finish()))
        joined += line;
    EXPECT_EQ(collapsed(joined), "ABCDEFG");
}

TEST(PrintableText, TabsKeepTheirColumnsAndControlCharactersBecomeBlanks)
{
    EXPECT_EQ(printableText("\tA\x01"
                            "B"),
        "    A B");
    EXPECT_EQ(printableText("AB\tC"), "AB  C");
    EXPECT_EQ(printableText("caf\xe9"), "caf\xe9");
}

} // namespace
