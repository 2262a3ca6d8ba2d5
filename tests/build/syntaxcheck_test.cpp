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

    // Line k of the message is line k + 2 of the checked source.
    SyntaxCheck::Step step = check.stepForward(script);
    EXPECT_EQ(step.caret, lineStart(script, 1));
    EXPECT_EQ(step.status, " unknown procedure CALL BLNK");
    step = check.stepForward(script);
    EXPECT_EQ(step.caret, lineStart(script, 5));
    EXPECT_EQ(script.substr(*step.caret, 14), "    PRINT\"b\";\r");
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
