#include "buildfixture.h"
#include "resultviewrecorder.h"

#include "build/resultwindow.h"

using namespace marquis;
using namespace marquis::testing;

namespace {

class CompileTest : public BuildTest {
protected:
    ResultViewRecorder view;
    ResultWindow compileWindow() { return ResultWindow(*session, tools, processes, view, true); }
};

TEST_F(CompileTest, CompilesAndAssemblesTheOpenFile)
{
    const std::string path = openScript("shop.src", { textMessage(1, { "ONE" }) });
    ResultWindow window = compileWindow();
    ASSERT_TRUE(window.open());
    EXPECT_FALSE(window.LastCompileFailed);
    EXPECT_EQ(view.mainCaption, "&Program");
    EXPECT_TRUE(view.mainVisible);
    const std::string base = workFolder.folder() + "shop";
    EXPECT_EQ(view.resultText, "Compiled  " + path + "\r\nAssembled\r\n");
    EXPECT_TRUE(files.exists(base + ".bin"));
    EXPECT_FALSE(files.exists(base + ".esc"));
    ASSERT_EQ(runs().size(), 2u);
    const std::string work = tools.workFolder() + "shop";
    EXPECT_EQ(runs()[0], "src2esc - | " + path + " | " + base + " | /error | " + base +
            " | /include | " + toolsFolder.folder() + " | /log | " + work);
    EXPECT_EQ(runs()[1], "esc2bin - | " + base + " | " + base + " | /error | " + base +
            " | /log | " + work);
}

// The argument lists and reports are work files of the private folder: a user's own files of
// those names beside the script stay as they were, and nothing is left in the work folder.
TEST_F(CompileTest, UsersListAndLogBesideTheScriptAreLeftAlone)
{
    openScript("shop.src", { textMessage(1, { "ONE" }) });
    const auto list = workFolder.write("shop.lst", "my shopping list\r\n");
    const auto log = workFolder.write("shop.log", "my diary\r\n");
    for (const char* mode : { "ok", "errors" }) {
        SCOPED_TRACE(mode);
        setMode(mode);
        ResultWindow window = compileWindow();
        ASSERT_TRUE(window.open());
        EXPECT_EQ(readWholeFile(list), "my shopping list\r\n");
        EXPECT_EQ(readWholeFile(log), "my diary\r\n");
        EXPECT_TRUE(std::filesystem::is_empty(tools.workFolder()));
    }
    EXPECT_EQ(tools.workFolder().rfind(runtimeFolder.folder(), 0), 0u);
}

// The elapsed time counts from the compiler's start through the assembler's end.
TEST_F(CompileTest, ElapsedTimeCountsThroughBothTools)
{
    openScript("shop.src", { textMessage(1, { "ONE" }) });
    auto now = ToolRunner::Clock::now();
    tools.setClock([&now] { return now += std::chrono::seconds(1); });
    ResultWindow window = compileWindow();
    ASSERT_TRUE(window.open());
    ASSERT_EQ(runs().size(), 2u);
    ASSERT_GE(view.elapsed.size(), 2u);
    for (std::size_t k = 1; k < view.elapsed.size(); ++k)
        EXPECT_LT(view.elapsed[k - 1], view.elapsed[k]) << "at " << k;
}

TEST_F(CompileTest, ErrorsOfferToViewThem)
{
    openScript("shop.src", { textMessage(1, { "ONE" }) });
    setMode("errors");
    ResultWindow window = compileWindow();
    ASSERT_TRUE(window.open());
    EXPECT_TRUE(window.LastCompileFailed);
    EXPECT_EQ(view.mainCaption, "&View Errors");
    EXPECT_EQ(runs().size(), 1u);  // no assembly after compile errors
    window.mainButton();
    EXPECT_EQ(view.errorFileShown, workFolder.folder() + "shop.err");
}

TEST_F(CompileTest, KeepsTheIntermediateFileWhenAsked)
{
    openScript("shop.src", { textMessage(1, { "ONE" }) });
    session->preferences().KeepEscFile = "yes";
    ResultWindow window = compileWindow();
    ASSERT_TRUE(window.open());
    EXPECT_TRUE(files.exists(workFolder.folder() + "shop.esc"));
}

TEST_F(CompileTest, ReadOnlyFolderCompilesIntoTheProgramFolder)
{
    openScript("shop.src", { textMessage(1, { "ONE" }) });
    files.readOnlyFolders.insert(workFolder.folder());
    ResultWindow window = compileWindow();
    ASSERT_TRUE(window.open());
    EXPECT_EQ(ui.messageTexts().back(), "Can't write in specified directory " + workFolder.folder() +
            ", in order to program the unit binary file will be created in directory - " +
            programFolder.folder());
    EXPECT_EQ(window.outputBase(), programFolder.folder() + "shop");
    EXPECT_TRUE(files.exists(programFolder.folder() + "shop.bin"));
}

TEST_F(CompileTest, OutputBaseIsCutInTheFileNameOnly)
{
    std::filesystem::create_directories(workFolder / "signs.2026");
    const std::string path = (workFolder / "signs.2026" / "shop.v2.src").string();
    EXPECT_EQ(outputBaseOf(path), (workFolder / "signs.2026" / "shop").string());
}

TEST_F(CompileTest, UnsavedContentMustBeSavedFirst)
{
    session->FileNew();
    typeLine1("NEW");
    ui.answers = { Answer::Cancel };
    EXPECT_FALSE(compileWindow().open());
    EXPECT_EQ(ui.messages.back().text, "You have to save the file in order to compile it.");
    EXPECT_EQ(ui.messages.back().defaultAnswer, Answer::Cancel);

    ui.answers = { Answer::Ok };
    ui.files = { workFolder / "saved.src" };
    ResultWindow window = compileWindow();
    EXPECT_TRUE(window.open());
    EXPECT_EQ(window.SourcePath, (workFolder / "saved.src").string());
}

TEST_F(CompileTest, NothingOpenAsksForAScript)
{
    EXPECT_FALSE(compileWindow().open());
    EXPECT_EQ(ui.fileDialogs.back().title, "Compile file");
    EXPECT_EQ(ui.fileDialogs.back().filter, "Marquis script file (*.src)|*.src");
}

TEST_F(CompileTest, CloseDuringTheCompilerSkipsTheAssembler)
{
    openScript("shop.src", { textMessage(1, { "ONE" }) });
    ResultWindow window = compileWindow();
    ui.onPump = [&] { window.closeButton(); };
    setMode("hang");
    window.open();
    EXPECT_TRUE(view.closed);
    EXPECT_EQ(view.resultText.find("Canceled by the user!\r\nTerminating execution..."), 0u);
    ASSERT_EQ(runs().size(), 1u);
    EXPECT_TRUE(runs()[0].starts_with("src2esc"));
}

TEST_F(CompileTest, MissingCompilerIsReported)
{
    openScript("shop.src", { textMessage(1, { "ONE" }) });
    std::filesystem::remove(toolsFolder / CompilerTool);
    ResultWindow window = compileWindow();
    window.open();
    EXPECT_TRUE(window.LastCompileFailed);
    EXPECT_TRUE(ui.messageTexts().back().starts_with("Can't start " + toolsFolder.folder() + "src2esc"));
}

}  // namespace
