#include "buildfixture.h"

#include "build/syntaxcheck.h"

using namespace marquis;
using namespace marquis::testing;

namespace {

class SyntaxCheckTest : public BuildTest {
protected:
    SyntaxCheck check { tools, files, ui };
    const std::string script = "SUB 7(TASK=0)\r\nLINE1:\r\n    PRINT\"a\";\r\n    CALL BLNK(1)\r\n"
                               "    PRINT\"b\";\r\n    PRINT\"c\";\r\n    PRINT\"d\";\r\nEND SUB\r\n";
};

TEST_F(SyntaxCheckTest, CleanMessageLeavesNoWorkFiles)
{
    check.run(script, 7, true);
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string> { "No syntax errors found in message 7" });
    EXPECT_TRUE(std::filesystem::is_empty(tools.workFolder()));
    for (const char* name : { "sub.src", "sub.lst", "sub.esc" })
        EXPECT_FALSE(files.exists(programFolder.folder() + name)) << name;
    EXPECT_EQ(check.ErrorCount, 0);
    ASSERT_EQ(runs().size(), 1u);
    EXPECT_EQ(runs()[0], "src2esc - | " + tools.workFolder() + "sub.src | /error | " +
            tools.workFolder() + "sub | /include | " + toolsFolder.folder());
}

TEST_F(SyntaxCheckTest, OnlyInScriptEditModeAndWithText)
{
    check.run(script, 7, false);
    check.run("", 7, true);
    EXPECT_TRUE(runs().empty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SyntaxCheckTest, ErrorsAreListedAndSteppedThrough)
{
    setMode("errors");
    check.run(script, 7, true);
    EXPECT_EQ(ui.messageTexts().back(), "Errors encountered. Press Ctrl-Plus (forward) or "
                                        "Ctrl-Minus (backward) to scroll through the errors line "
                                        "by line.");
    ASSERT_EQ(check.ErrorCount, 3);
    EXPECT_EQ(check.ErrorLines, (std::vector<std::string> { "3", "7", "9" }));
    EXPECT_TRUE(files.exists(tools.workFolder() + "sub.err"));

    // Line k of the message is line k + 4 of the checked source, after the header lines.
    SyntaxCheck::Step step = check.stepForward(script);
    EXPECT_EQ(step.caret, lineStart(script, 1));
    EXPECT_EQ(step.status, " unknown procedure CALL BLNK");
    step = check.stepForward(script);
    EXPECT_EQ(step.caret, lineStart(script, 3));
    EXPECT_EQ(script.substr(*step.caret, 14), "    PRINT\"a\";\r");
    step = check.stepForward(script);
    EXPECT_EQ(step.status, " string not closed");
    step = check.stepForward(script);
    EXPECT_FALSE(step.caret);
    EXPECT_EQ(step.status, "There are no more errors.");
    EXPECT_EQ(check.CurrentError, 0);

    check.stepForward(script);
    check.stepForward(script);
    step = check.stepBackward(script);
    EXPECT_EQ(step.status, " unknown procedure CALL BLNK");
    EXPECT_EQ(check.stepBackward(script).status, "");
    EXPECT_EQ(check.CurrentError, 0);
}

// The source holds the header the saved file has, so the check knows the unit model and the
// language version; the error numbers count from the file's first line.
TEST_F(SyntaxCheckTest, TheSourceCarriesTheSavedFilesHeader)
{
    hold();
    std::string source;
    ui.onPump = [&] {
        if (source.empty())
            source = readWholeFile(std::filesystem::path(tools.workFolder()) / "sub.src");
        release();
    };
    check.run(script, 7, true, { "5320", "1" });
    EXPECT_EQ(source,
        "#define Display_type (5320)\r\n#include \"ESCAPES.H\"\r\n#pragma version 1\r\n\r\n" +
            script + "\r\n");
}

// Success is a compiler that ran to its end and wrote no error file; anything else is no
// answer about the message.
TEST_F(SyntaxCheckTest, ACrashingOrMissingCompilerIsNoSuccess)
{
    setMode("crash");
    check.run(script, 7, true);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
        "The syntax check of message 7 failed: " + toolsFolder.folder() +
            "src2esc ended abnormally (signal 6) and wrote no error file.");
    EXPECT_EQ(ui.messages[0].icon, Icon::Exclamation);

    std::filesystem::remove(toolsFolder / CompilerTool);
    check.run(script, 7, true);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_TRUE(ui.messages[1].text.starts_with("Can't start " + toolsFolder.folder() + "src2esc"));
}

// The files of an earlier check are gone before the next one, so they cannot pass for its
// result.
TEST_F(SyntaxCheckTest, OldErrorsAndOutputDoNotOutliveTheirCheck)
{
    setMode("errors");
    check.run(script, 7, true);
    ASSERT_EQ(check.ErrorCount, 3);
    writeWholeFile(files, tools.workFolder() + "sub.esc", "old\r\n");
    setMode("crash");
    check.run(script, 7, true);
    EXPECT_FALSE(files.exists(tools.workFolder() + "sub.err"));
    EXPECT_FALSE(files.exists(tools.workFolder() + "sub.esc"));
    EXPECT_FALSE(ui.messages.back().text.starts_with("Errors encountered."));
}

// A compiler's error file whose lines name no line of the message is shown as it is.
TEST_F(SyntaxCheckTest, AnErrorFileWithoutEntriesIsShown)
{
    const std::string fake = tools.workFolder() + "fake-src2esc";
    writeWholeFile(files, fake,
        "#!/bin/sh\nprintf 'cannot open ESCAPES.H\\r\\n' > \"$(sed -n 3p \"${1#@}\" | tr -d "
        "'\\r')\".err\nexit 1\n");
    std::filesystem::permissions(fake, std::filesystem::perms::owner_all);
    std::filesystem::remove(toolsFolder / CompilerTool);
    std::filesystem::create_symlink(fake, toolsFolder / CompilerTool);
    check.run(script, 7, true);
    EXPECT_EQ(ui.messageTexts(),
        std::vector<std::string> { "The compiler reported errors:\r\ncannot open ESCAPES.H\r\n" });
    EXPECT_EQ(check.ErrorCount, 0);
}

TEST_F(SyntaxCheckTest, SteppingWithoutACheck)
{
    EXPECT_EQ(check.stepForward(script).status,
        "There are no errors or Syntax check haven't been done on this message.");
}

TEST_F(SyntaxCheckTest, UnwritableWorkFolder)
{
    files.readOnlyFolders.insert(tools.workFolder());
    check.run(script, 7, true);
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string> { "Can't create output sorce file (sub.src)" });
    EXPECT_TRUE(runs().empty());
}

}  // namespace
