// The File menu's recent files: the menu shows the session's list as it is after every change.
#include "ui/quickeditfixture.h"

using namespace marquis;
using namespace marquis::testing;

namespace {

using Paths = std::vector<std::string>;

class RecentFilesTest : public QuickEditTest {
protected:
    std::string script(const std::string& name, const std::string& text)
    {
        return openScript(name, { textMessage(1, { text }) });
    }
};

TEST_F(RecentFilesTest, MenuFollowsTheListFromTheFirstRunOn)
{
    start();
    EXPECT_TRUE(view.recentFiles.empty());

    const std::string a = script("a.src", "A");
    EXPECT_EQ(view.recentFiles, Paths { a }); // without a restart
    const std::string b = script("b.src", "B");
    EXPECT_EQ(view.recentFiles, (Paths { b, a }));

    const std::string c = (workFolder / "c.src").string();
    ui.files.push_back(c);
    ASSERT_TRUE(session->SaveAs());
    EXPECT_EQ(view.recentFiles, (Paths { c, b, a }));

    // Each entry opens the file it is labelled with, and the labels move with the list.
    ASSERT_TRUE(session->openRecentFile(2));
    EXPECT_EQ(session->store().ScriptFilePath, a);
    EXPECT_EQ(view.recentFiles, (Paths { a, c, b }));
    EXPECT_EQ(view.recentFiles, session->recentFiles());
    ASSERT_TRUE(session->openRecentFile(1));
    EXPECT_EQ(session->store().ScriptFilePath, c);
    EXPECT_EQ(linesOf(1)[0], "B"); // c was saved from b

    // A fifth file pushes the oldest out of the menu too.
    const std::string d = script("d.src", "D");
    const std::string e = script("e.src", "E");
    EXPECT_EQ(view.recentFiles, (Paths { e, d, c, a }));
}

TEST_F(RecentFilesTest, RefusedRecentFileThenAnotherChosenInsteadUpdatesTheMenu)
{
    const std::string refused =
        workFolder.write("refused.src", "#define Display_type ()\r\n").string();
    session->preferences().RecentFiles[0] = refused;
    start();
    EXPECT_EQ(view.recentFiles, Paths { refused });

    // The user tries again and picks another file in the Open dialog.
    const std::string other =
        workFolder
            .write("other.src",
                scriptFileText({ textMessage(1, { "OTHER" }) }, session->writer(), "5360"))
            .string();
    ui.answers.push_back(Answer::Yes);
    ui.files.push_back(other);
    ASSERT_TRUE(session->openRecentFile(0));
    EXPECT_EQ(ui.messageTexts().front(),
        "You can open files created only with this program.\r\nDo you want to try again?");
    EXPECT_EQ(view.recentFiles, (Paths { other, refused }));
}

} // namespace
