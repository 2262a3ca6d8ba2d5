#include "support/modelfixture.h"
#include "tools/tooltest.h"

#include <sstream>

using namespace marquis::testing;

namespace {

const std::string DemoFile = std::string(MARQUIS_EXAMPLES_DIR) + "/demo.src";
const std::string Heading = "Tessaly Industries 5360 Message Script Printout";

// A line with its blanks collapsed and trimmed: the PDF keeps words and their order, not the
// exact widths of runs of blanks.
std::string collapsed(const std::string& line)
{
    std::istringstream words(line);
    std::string result;
    for (std::string word; words >> word;)
        result += (result.empty() ? "" : " ") + word;
    return result;
}

// The pages of a PDF as text, each as its non-empty lines, collapsed.
std::vector<std::vector<std::string>> pdfPages(const std::filesystem::path& pdf)
{
    const ProcessResult text = runProcess({ "pdftotext", "-layout", pdf.string(), "-" });
    EXPECT_EQ(text.exitCode, 0) << text.errors;
    std::vector<std::vector<std::string>> pages;
    std::istringstream stream(text.output);
    for (std::string page; std::getline(stream, page, '\f');) {
        std::vector<std::string> lines;
        std::istringstream pageStream(page);
        for (std::string line; std::getline(pageStream, line);)
            if (!collapsed(line).empty())
                lines.push_back(collapsed(line));
        if (!lines.empty())
            pages.push_back(lines);
    }
    return pages;
}

// The printed lines without the headings and the page numbers, joined into one text; lines
// wider than the page go on over further lines, so the text is compared as one.
std::string printedText(
    const std::vector<std::vector<std::string>>& pages, std::size_t first, std::size_t count)
{
    std::string text;
    for (std::size_t p = first; p < first + count; ++p) {
        const std::size_t skipped = p == first ? 2 : 1;
        for (std::size_t i = skipped; i < pages[p].size(); ++i)
            text += (text.empty() ? "" : " ") + pages[p][i];
    }
    return text;
}

std::string scriptText(const std::string& path)
{
    std::string text;
    std::istringstream stream(readBytes(path));
    for (std::string line; std::getline(stream, line);)
        if (!collapsed(line).empty())
            text += (text.empty() ? "" : " ") + collapsed(line);
    return text;
}

TEST(Mq5300Print, EveryLineOfTheScriptOnceAndInOrderUnderHeadingsAndPageNumbers)
{
    TemporaryFolder folder;
    const ProcessResult result = mq5300({ "print", DemoFile, "--pdf", (folder / "demo.pdf") });
    ASSERT_EQ(result.exitCode, 0) << result.errors;
    EXPECT_EQ(result.output, "");
    EXPECT_EQ(result.errors, "");

    const auto pages = pdfPages(folder / "demo.pdf");
    ASSERT_GE(pages.size(), 3u);
    EXPECT_EQ(pages[0][0], Heading);
    EXPECT_EQ(pages[0][1], "Filename: " + DemoFile);
    for (std::size_t p = 1; p < pages.size(); ++p)
        EXPECT_EQ(pages[p][0], std::to_string(p + 1));
    EXPECT_EQ(printedText(pages, 0, pages.size()), scriptText(DemoFile));
}

TEST(Mq5300Print, TwoCopiesAreTwoRunsOfPagesEachNumberedFromOne)
{
    TemporaryFolder folder;
    ASSERT_EQ(mq5300({ "print", DemoFile, "--pdf", (folder / "one.pdf") }).exitCode, 0);
    const ProcessResult result =
        mq5300({ "print", DemoFile, "--pdf", (folder / "two.pdf"), "--copies", "2" });
    ASSERT_EQ(result.exitCode, 0) << result.errors;

    const auto one = pdfPages(folder / "one.pdf");
    const auto two = pdfPages(folder / "two.pdf");
    ASSERT_EQ(two.size(), 2 * one.size());
    for (std::size_t p = 0; p < one.size(); ++p) {
        EXPECT_EQ(two[p], one[p]);
        EXPECT_EQ(two[one.size() + p], one[p]);
    }
    EXPECT_EQ(two[one.size()][0], Heading);
}

TEST(Mq5300Print, TextOnlyShowsTheMessageTextsDecoded)
{
    TemporaryFolder folder;
    const std::string script = "#define Display_type (5360)\r\n#include \"ESCAPES.H\"\r\n"
                               "#pragma version 2\r\n\r\n" +
        subText(4, 2,
            "    CALL OUTPUT_DEVICE(SERIAL)\r\n    PRINT\"Tank \\\"A\\\" \\\\ full\";\r\n"
            "    CALL OUTPUT_DEVICE(DISPLAY)\r\n"
            "LINE1:\r\n    CALL CURSOR(1,1)\r\n    PRINT\"Say \\\"hi\\\" \\\\ \";\r\n"
            "    CALL BLINK(25,ON)\r\n    PRINT\"now\";\r\n    CALL BLINK(-1)\r\n"
            "    PRINT\" \";\r\n    PRINT VAR(3, 4);\r\n    PRINT\" \";\r\n"
            "    LET A=VAR(2)\r\n    PRINT USING(37,0);A;\r\n") +
        "\r\n";
    writeBytes(folder / "quotes.src", script);
    const ProcessResult result = mq5300(
        { "print", (folder / "quotes.src"), "--text-only", "--pdf", (folder / "quotes.pdf") });
    ASSERT_EQ(result.exitCode, 0) << result.errors;

    const auto pages = pdfPages(folder / "quotes.pdf");
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(std::vector<std::string>(pages[0].begin() + 2, pages[0].end()),
        (std::vector<std::string> { "Message= 4 TASK=2", "Send text: Tank \"A\" \\ full",
            "LINE1:", "Say \"hi\" \\ now #### ##.##" }));
}

TEST(Mq5300Print, BadArgumentsAndFilesFailCleanly)
{
    TemporaryFolder folder;
    const std::string pdf = (folder / "out.pdf").string();
    EXPECT_TRUE(failedCleanly(mq5300({ "print", DemoFile })));
    EXPECT_TRUE(failedCleanly(mq5300({ "print", "--pdf", pdf })));
    EXPECT_TRUE(failedCleanly(mq5300({ "print", DemoFile, "--pdf", pdf, "--copies", "0" })));
    EXPECT_TRUE(failedCleanly(mq5300({ "print", DemoFile, "--pdf", pdf, "--copies", "x" })));
    EXPECT_TRUE(failedCleanly(mq5300({ "print", DemoFile, "--pdf", pdf, "--color" })));
    EXPECT_TRUE(failedCleanly(mq5300({ "print", (folder / "missing.src"), "--pdf", pdf })));
    EXPECT_FALSE(std::filesystem::exists(pdf));
    const ProcessResult unwritable =
        mq5300({ "print", DemoFile, "--pdf", (folder / "no" / "such" / "out.pdf") });
    EXPECT_TRUE(failedCleanly(unwritable));
    EXPECT_NE(unwritable.errors.find("cannot write"), std::string::npos) << unwritable.errors;
}

} // namespace
