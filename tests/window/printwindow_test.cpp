// Printing from the Quick Edit window's File menu.
#include "dialogs/dialogtest.h"
#include "support/processrunner.h"
#include "window/windowfixture.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPrintPreviewWidget>
#include <QSpinBox>
#include <QTest>
#include <algorithm>
#include <sstream>

namespace marquis::testing {
namespace {

class PrintWindowTest : public WindowTest {
protected:
    // Opens the File menu as the user would, which decides what it offers.
    void openFileMenu() { emit control<QMenu>("mnuFile")->aboutToShow(); }

    // In the print dialog: the PDF printer, a file and a number of copies, then Print.
    static void printToFile(QWidget& dialog, const std::filesystem::path& file, int copies)
    {
        auto* printers = dialog.findChild<QComboBox*>("printers");
        ASSERT_NE(printers, nullptr);
        printers->setCurrentIndex(printers->findText("Print to File (PDF)"));
        dialog.findChild<QLineEdit*>("filename")->setText(QString::fromStdString(file.string()));
        dialog.findChild<QSpinBox*>("copies")->setValue(copies);
        static_cast<QDialog&>(dialog).accept();
    }

    // The pages of a PDF as text, blank lines and leading blanks left out.
    static std::vector<std::string> pdfPages(const std::filesystem::path& pdf)
    {
        const ProcessResult text = runProcess({ "pdftotext", "-layout", pdf.string(), "-" });
        EXPECT_EQ(text.exitCode, 0) << text.errors;
        std::vector<std::string> pages;
        std::istringstream stream(text.output);
        for (std::string page; std::getline(stream, page, '\f');) {
            std::istringstream lines(page);
            std::string kept;
            for (std::string line; std::getline(lines, line);)
                if (const std::size_t first = line.find_first_not_of(' ');
                    first != std::string::npos)
                    kept += line.substr(first) + "\n";
            if (!kept.empty())
                pages.push_back(kept);
        }
        return pages;
    }

    TemporaryFolder output;
    std::filesystem::path pdf = output / "printed.pdf";
};

TEST_F(PrintWindowTest, PrintIsOfferedOnlyForAnOpenFileOrContent)
{
    start("5320");
    for (const auto& [name, text] :
        { std::pair { "mnuFilePrint", "&Print..." }, { "mnuFilePrintText", "Message &Text Only" },
            { "mnuFilePrintScript", "Complete &Script" },
            { "mnuFilePrintCurrent", "Print Current &Message..." },
            { "mnuFilePrintSetup", "P&rint Setup..." } })
        EXPECT_EQ(window->action(name)->text(), text) << name;
    openFileMenu();
    EXPECT_FALSE(window->action("mnuFilePrint")->isEnabled());
    EXPECT_FALSE(window->action("mnuFilePreview")->isEnabled());
    EXPECT_TRUE(window->action("mnuFilePrintCurrent")->isEnabled());

    QTest::keyClicks(editor(), "HELLO");
    openFileMenu();
    EXPECT_TRUE(window->action("mnuFilePrint")->isEnabled());
    EXPECT_TRUE(window->action("mnuFilePreview")->isEnabled());
}

TEST_F(PrintWindowTest, TheScriptPrintsThroughThePrintDialogIntoAPdfInTheCopiesAsked)
{
    start("5360");
    const std::string script = binFile("demo.src");
    open(script);
    user.statuses.clear();
    whenModalOpens([&](QWidget& dialog) { printToFile(dialog, pdf, 2); });
    trigger("mnuFilePrintScript");

    const std::vector<std::string> pages = pdfPages(pdf);
    ASSERT_GE(pages.size(), 4u);
    ASSERT_EQ(pages.size() % 2, 0u);
    const std::size_t perCopy = pages.size() / 2;
    for (const std::size_t first : { std::size_t { 0 }, perCopy }) {
        EXPECT_TRUE(pages[first].starts_with(
            "Tessaly Industries 5360 Message Script Printout\nFilename: " + script + "\n"))
            << pages[first].substr(0, 200);
        EXPECT_NE(pages[first].find("SUB 0(TASK=0)"), std::string::npos);
        EXPECT_TRUE(pages[first + 1].starts_with("2\n")) << pages[first + 1].substr(0, 20);
    }
    EXPECT_NE(std::find(user.statuses.begin(), user.statuses.end(),
                  "Printing file " + script + ".  1 % complete."),
        user.statuses.end());
    EXPECT_EQ(statusLine(), "");
}

TEST_F(PrintWindowTest, TheCurrentMessagePrintsAloneAndThePreviewShowsPages)
{
    start("5360");
    open(binFile("demo.src"));
    enterMessage("10");
    whenModalOpens([&](QWidget& dialog) { printToFile(dialog, pdf, 1); });
    trigger("mnuFilePrintCurrent");
    const std::vector<std::string> pages = pdfPages(pdf);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NE(pages[0].find("SUB 10(TASK=1)"), std::string::npos);
    EXPECT_EQ(pages[0].find("SUB 11("), std::string::npos);
    EXPECT_EQ(user.statuses.back(), "");
    EXPECT_NE(std::find(user.statuses.begin(), user.statuses.end(), "Printing message  10"),
        user.statuses.end());

    int previewPages = 0;
    whenModalOpens([&](QWidget& dialog) {
        previewPages = dialog.findChild<QPrintPreviewWidget*>()->pageCount();
        static_cast<QDialog&>(dialog).reject();
    });
    trigger("mnuFilePreviewText");
    EXPECT_GE(previewPages, 2);
}

} // namespace
} // namespace marquis::testing
