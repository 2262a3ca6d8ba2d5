#include "build/buildfixture.h"
#include "build/readflash.h"
#include "dialogtest.h"
#include "ui/dialogs/widgets/dialogs.h"
#include "ui/dialogs/widgets/resultdialog.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

using namespace marquis;
using namespace marquis::testing;
using marquis::qt::ResultDialog;

namespace {

class ResultDialogTest : public BuildTest {
protected:
    // A compile window on screen, as the main window opens it, with its work started.
    std::unique_ptr<ResultDialog> startCompile()
    {
        auto dialog = std::make_unique<ResultDialog>(*session, tools, processes, true);
        dialog->show();
        dialog->start();
        return dialog;
    }

    static std::string resultOf(ResultDialog& dialog)
    {
        return text(child<QPlainTextEdit>(dialog, "txtResult")->toPlainText());
    }
};

TEST_F(ResultDialogTest, CompileShowsTheReportsAndOffersToProgram)
{
    const std::string path = openScript("shop.src", { textMessage(1, { "ONE" }) });
    auto dialog = startCompile();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(resultOf(*dialog), "Compiled  " + path + "\nAssembled\n");
    auto* main = child<QPushButton>(*dialog, "cmdMain");
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(main->isEnabled());
    EXPECT_EQ(text(main->text()), "&Program");
    EXPECT_FALSE(child<QLabel>(*dialog, "lblElapsed")->isVisible());

    QTest::keyClicks(child<QPlainTextEdit>(*dialog, "txtResult"), "typed");
    EXPECT_EQ(resultOf(*dialog), "Compiled  " + path + "\nAssembled\n");

    QTest::mouseClick(main, Qt::LeftButton);
    EXPECT_FALSE(main->isVisible());
    EXPECT_TRUE(child<QLabel>(*dialog, "lblElapsed")->isVisible());
    ASSERT_FALSE(runs().empty());
    EXPECT_TRUE(runs().back().starts_with("5300 p"));
    EXPECT_EQ(resultOf(*dialog), "Unit answered p\n");
    EXPECT_TRUE(dialog->isVisible()); // the user reads the report and closes the window

    QTest::mouseClick(child<QPushButton>(*dialog, "cmdClose"), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(ResultDialogTest, ErrorsOpenInTheViewer)
{
    openScript("shop.src", { textMessage(1, { "ONE" }) });
    setMode("errors");
    auto dialog = startCompile();
    auto* main = child<QPushButton>(*dialog, "cmdMain");
    EXPECT_EQ(text(main->text()), "&View Errors");

    std::string shown;
    whenModalOpens([&](QWidget& viewer) {
        shown = text(child<QPlainTextEdit>(viewer, "txtFile")->toPlainText());
        QTest::mouseClick(child<QPushButton>(viewer, "cmdClose"), Qt::LeftButton);
    });
    QTest::mouseClick(main, Qt::LeftButton);
    EXPECT_EQ(shown,
        "SHOP.SRC 3: unknown procedure CALL BLNK\nSHOP.SRC   7: missing END SUB\n"
        "summary line without the name\nSHOP.SRC 9: string not closed\n");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(runs().size(), 1u); // the viewer's events did not start the compile again
}

TEST_F(ResultDialogTest, MissingErrorFileIsReportedNotShownEmpty)
{
    ResultDialog dialog(*session, tools, processes, true);
    dialog.showErrorFile(workFolder.folder() + "gone.err");
    EXPECT_EQ(ui.messageTexts(),
        std::vector<std::string> { "Can't open file " + workFolder.folder() + "gone.err" });
}

// Close and the window's own close button both stop the compile after the running tool and
// close the window only then.
TEST_F(ResultDialogTest, ClosingDuringACompileWaitsForTheTool)
{
    for (const bool windowButton : { false, true }) {
        SCOPED_TRACE(windowButton ? "window button" : "Close");
        std::filesystem::remove(recordPath);
        openScript("shop.src", { textMessage(1, { "ONE" }) });
        setMode("hang");
        ResultDialog* shown = nullptr;
        bool visibleAfterClose = false;
        ui.onPump = [&] {
            if (!shown || visibleAfterClose)
                return;
            if (windowButton)
                shown->close();
            else
                QTest::mouseClick(child<QPushButton>(*shown, "cmdClose"), Qt::LeftButton);
            visibleAfterClose = shown->isVisible();
        };
        ResultDialog dialog(*session, tools, processes, true);
        shown = &dialog;
        dialog.show();
        dialog.start();
        ui.onPump = nullptr;

        EXPECT_TRUE(visibleAfterClose);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(resultOf(dialog), "Canceled by the user!\nTerminating execution...");
        ASSERT_EQ(runs().size(), 1u);
        EXPECT_TRUE(runs()[0].starts_with("src2esc"));
        EXPECT_FALSE(tools.isBusy());
        EXPECT_FALSE(tools.cancelRequested());
    }
}

// Escape during a compile cancels it; once the window has gone, the cancel is gone too, and a
// later command of the shared tool runner runs as long as it needs.
TEST_F(ResultDialogTest, CancelEndsWithTheWindow)
{
    openScript("shop.src", { textMessage(1, { "ONE" }) });
    hold();
    ResultDialog* shown = nullptr;
    ui.onPump = [&] {
        if (!shown)
            return;
        QTest::keyClick(shown, Qt::Key_Escape);
        release();
        shown = nullptr;
    };
    {
        ResultDialog dialog(*session, tools, processes, true);
        shown = &dialog;
        dialog.show();
        dialog.start();
        EXPECT_FALSE(dialog.isVisible());
    }
    ASSERT_EQ(runs().size(), 1u);

    // Time now runs far past the grace time of a cancel at every poll.
    auto now = ToolRunner::Clock::now();
    tools.setClock([&now] { return now += std::chrono::seconds(10); });
    hold();
    const int pumps = ui.pumps;
    ui.onPump = [&] {
        if (ui.pumps == pumps + 5)
            release();
    };
    ui.files.push_back(workFolder.write("unit.bin", "bin"));
    ReadFlashDialog flash(*session, tools);
    std::string flashStatus;
    flash.onStatus = [&](const std::string& text) { flashStatus = text; };
    flash.programFlash();
    EXPECT_EQ(flashStatus, "Unit has been successfully programmed.");
    EXPECT_TRUE(ui.messages.empty()) << ui.messageTexts().front();
}

TEST_F(ResultDialogTest, WindowClosesAtOnceWhenNoFileIsChosen)
{
    qt::showResultWindow(nullptr, *session, tools, processes, true); // returns: nothing to wait for
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_EQ(ui.fileDialogs[0].title, "Compile file");
    EXPECT_TRUE(runs().empty());
}

} // namespace
