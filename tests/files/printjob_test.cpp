#include "files/printjob.h"
#include "support/fakepagemeasure.h"
#include "support/sessionfixture.h"

#include <algorithm>
#include <filesystem>

using namespace marquis;
using namespace marquis::testing;

namespace {

class PrintJobTest : public SessionTest {
protected:
    PrintJobTest()
        : job(*session)
    {
    }

    // Prints every message on a wide page; the lines of the document, or none when nothing
    // was printed.
    std::optional<PrintDocument> printAll(PrintMode mode, int copies = 1)
    {
        std::optional<PrintDocument> printed;
        const bool result = job.printAll(measure, mode, copies, [&](const PrintDocument& document) {
            printed = document;
            return true;
        });
        EXPECT_EQ(result, printed.has_value());
        return printed;
    }

    std::optional<PrintDocument> printCurrent()
    {
        std::optional<PrintDocument> printed;
        job.printCurrent(measure, 1, [&](const PrintDocument& document) {
            printed = document;
            return true;
        });
        return printed;
    }

    // The lines after the heading, without surrounding blanks; empty lines left out.
    static std::vector<std::string> body(const PrintDocument& document)
    {
        std::vector<std::string> lines;
        for (const std::string& line : documentLines(document)) {
            const std::size_t first = line.find_first_not_of(' ');
            if (first != std::string::npos)
                lines.push_back(line.substr(first));
        }
        lines.erase(lines.begin(), lines.begin() + 2);
        return lines;
    }

    FakePageMeasure measure { 400, 100000 };
    PrintJob job;
};

TEST_F(PrintJobTest, EveryMessageIsPrintedFromWhereItLivesAndNothingIsWritten)
{
    const std::string path = openScript("shop.src",
        { textMessage(1, { "ONE" }), textMessage(2, { "TWO" }), textMessage(9, { "NINE" }, 3) });
    typeLine1("ONE CHANGED");
    ASSERT_TRUE(session->goToMessage(5));
    typeLine1("FIVE");
    ASSERT_TRUE(session->goToMessage(2));
    typeLine1("TWO NOW");
    const std::string script = readWholeFile(path);
    const std::string store = readWholeFile(session->store().TempStorePath);
    ui.statuses.clear();

    const std::optional<PrintDocument> document = printAll(PrintMode::TextOnly);
    ASSERT_TRUE(document);
    const std::vector<std::string> lines = documentLines(*document);
    ASSERT_GE(lines.size(), 2u);
    const int blanks = PageComposer(measure).centringBlanks(47);
    EXPECT_EQ(lines[0],
        std::string(static_cast<std::size_t>(blanks), ' ') +
            "Tessaly Industries 5360 Message Script Printout");
    EXPECT_EQ(lines[1].substr(lines[1].find_first_not_of(' ')), "Filename: " + path);
    EXPECT_EQ(body(*document),
        (std::vector<std::string> { "Message= 1    TASK=0", "LINE1:", "ONE CHANGED",
            "Message= 2    TASK=0", "LINE1:", "TWO NOW", "Message= 5    TASK=0", "LINE1:", "FIVE",
            "Message= 9    TASK=3", "LINE1:", "NINE" }));

    const auto printing = std::find_if(ui.statuses.begin(), ui.statuses.end(),
        [](const std::string& status) { return status.starts_with("Printing file "); });
    ASSERT_NE(printing, ui.statuses.end());
    EXPECT_EQ(*printing, "Printing file " + path + ".  1 % complete.");
    EXPECT_EQ(ui.statuses[ui.statuses.size() - 2], "Printing file " + path + ".  100 % complete.");
    EXPECT_EQ(ui.currentStatus(), "");
    EXPECT_FALSE(ui.isBusy());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(readWholeFile(path), script);
    EXPECT_EQ(readWholeFile(session->store().TempStorePath), store);
}

TEST_F(PrintJobTest, PrintingLeavesTheCurrentMessageAndTheSavedFileAsTheyWere)
{
    const std::string path =
        openScript("shop.src", { textMessage(1, { "ONE" }), textMessage(4, { "FOUR" }) });
    typeLine1("CHANGED");
    const CurrentMessage before = session->message();

    const std::optional<PrintDocument> complete = printAll(PrintMode::Complete);
    ASSERT_TRUE(complete);
    EXPECT_TRUE(printCurrent());
    EXPECT_EQ(session->message(), before);
    const std::vector<std::string> lines = body(*complete);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "PRINT\"CHANGED\";"), lines.end());

    ASSERT_TRUE(session->Save());
    EXPECT_EQ(readWholeFile(path),
        scriptFileText({ textMessage(1, { "CHANGED" }), textMessage(4, { "FOUR" }) },
            session->writer(), "5360"));
    EXPECT_EQ(linesOf(1)[0], "CHANGED");
}

TEST_F(PrintJobTest, CompleteFormHasTheHeaderLinesAndEverySubTextLineInOrder)
{
    const std::string path =
        openScript("shop.src", { textMessage(3, { "THREE" }), textMessage(8, { "EIGHT" }) });
    const std::optional<PrintDocument> document = printAll(PrintMode::Complete);
    ASSERT_TRUE(document);
    std::vector<std::string> expected;
    const std::string script = readWholeFile(path);
    for (const std::string_view line : textLines(script)) {
        const std::size_t first = line.find_first_not_of(' ');
        if (first != std::string_view::npos)
            expected.emplace_back(line.substr(first));
    }
    EXPECT_EQ(body(*document), expected);
}

TEST_F(PrintJobTest, AFileThatCannotBeReadAbortsTheJobWithOneMessage)
{
    std::vector<CurrentMessage> messages;
    for (int n = 0; n < 40; ++n)
        messages.push_back(textMessage(n, { "MESSAGE " + std::to_string(n) }));
    const std::string path = openScript("shop.src", messages);
    std::filesystem::remove(path);
    EXPECT_FALSE(printAll(PrintMode::Complete));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string> { "Can't open file shop.src" });
    EXPECT_EQ(ui.currentStatus(), "");
    EXPECT_FALSE(ui.isBusy());

    // The same for the temporary store.
    session->FileNew();
    typeLine1("STORED");
    ASSERT_TRUE(session->goToMessage(1));
    typeLine1("ANOTHER");
    ASSERT_TRUE(session->goToMessage(2));
    std::filesystem::remove(session->store().TempStorePath);
    ui.messages.clear();
    EXPECT_FALSE(printAll(PrintMode::TextOnly));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string> { "Can't open file TMP$$$.TMP" });
}

TEST_F(PrintJobTest, CopiesAreWholeRunsOfPagesWithProgressAcrossAllOfThem)
{
    std::vector<CurrentMessage> messages;
    for (int n = 0; n < 30; ++n)
        messages.push_back(textMessage(n * 30, { "MESSAGE " + std::to_string(n) }));
    openScript("shop.src", messages);
    measure = FakePageMeasure(400, 60);
    ui.statuses.clear();
    const std::optional<PrintDocument> document = printAll(PrintMode::Complete, 2);
    ASSERT_TRUE(document);

    const auto firstOfSecond = std::find_if(document->pages.begin(), document->pages.end(),
        [](const PrintedPage& page) { return page.copy == 2; });
    ASSERT_NE(firstOfSecond, document->pages.end());
    const std::size_t perCopy = static_cast<std::size_t>(firstOfSecond - document->pages.begin());
    ASSERT_GT(perCopy, 2u);
    ASSERT_EQ(document->pages.size(), 2 * perCopy);
    for (std::size_t p = 0; p < perCopy; ++p) {
        EXPECT_EQ(document->pages[p].number, static_cast<int>(p) + 1);
        EXPECT_EQ(document->pages[perCopy + p].number, static_cast<int>(p) + 1);
        EXPECT_EQ(pageLines(document->pages[perCopy + p]), pageLines(document->pages[p]));
    }

    // The percentage grows across both copies: about half way after the first one.
    std::vector<int> percents;
    for (const std::string& status : ui.statuses)
        if (!status.empty())
            percents.push_back(std::stoi(status.substr(status.find(". ") + 2)));
    EXPECT_TRUE(std::is_sorted(percents.begin(), percents.end()))
        << ::testing::PrintToString(ui.statuses);
    EXPECT_EQ(percents.front(), 1);
    EXPECT_EQ(percents.back(), 100);
    EXPECT_EQ(std::count(percents.begin(), percents.end(), 50), 1);
}

TEST_F(PrintJobTest, CurrentMessageAloneWithTheFileNameEvenInScriptEdit)
{
    const std::string path =
        openScript("shop.src", { textMessage(2, { "TWO" }), textMessage(6, { "SIX" }) });
    ui.statuses.clear();
    std::optional<PrintDocument> document = printCurrent();
    ASSERT_TRUE(document);
    EXPECT_EQ(ui.statuses.front(), "Printing message  2");
    const std::vector<std::string> lines = documentLines(*document);
    EXPECT_EQ(lines[1].substr(lines[1].find_first_not_of(' ')), "Filename: " + path);
    std::vector<std::string> expected;
    for (const std::string_view line : textLines(session->message().MessageScript))
        if (line.find_first_not_of(' ') != std::string_view::npos)
            expected.emplace_back(line.substr(line.find_first_not_of(' ')));
    EXPECT_EQ(body(*document), expected);

    // A hand-edited text is printed as it stands, a SUB line without "(" too.
    session->scriptEditMode = true;
    session->message().MessageScript = "SUB 2 TASK=0\r\nLINE1:\r\n    PRINT\"TWO\";\r\nEND SUB\r\n";
    document = printCurrent();
    ASSERT_TRUE(document);
    EXPECT_EQ(body(*document),
        (std::vector<std::string> { "SUB 2 TASK=0", "LINE1:", "PRINT\"TWO\";", "END SUB" }));
}

TEST_F(PrintJobTest, PrintIsOfferedForAnOpenFileOrContentAndAFailedPrinterIsSaid)
{
    session->FileNew();
    EXPECT_FALSE(job.available());
    typeLine1("SOMETHING");
    EXPECT_TRUE(job.available());
    ui.answers.push_back(Answer::No);
    session->FileNew();
    openScript("shop.src", { textMessage(2, { "TWO" }) });
    EXPECT_TRUE(job.available());

    ui.messages.clear();
    EXPECT_FALSE(
        job.printAll(measure, PrintMode::Complete, 1, [](const PrintDocument&) { return false; }));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string> { PrintJob::PrinterFailedText });
}

} // namespace
