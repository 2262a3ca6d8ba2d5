#include "model/checkvalues.h"
#include "support/sessionfixture.h"

#include <algorithm>

using namespace marquis;
using namespace marquis::testing;

namespace {

class FileSaveTest : public SessionTest { };

TEST_F(FileSaveTest, SavedFileHasTheHeaderAndEveryMessageInOrder)
{
    session->FileNew();
    typeLine1("ZERO");
    ASSERT_TRUE(session->goToMessage(7));
    typeLine1("SEVEN");
    ASSERT_TRUE(session->goToMessage(3));
    typeLine1("THREE");
    const std::string path = (workFolder / "new.src").string();
    ui.files.push_back(path);
    ASSERT_TRUE(session->SaveAs());

    CurrentMessage zero = textMessage(0, { "ZERO" });
    CurrentMessage three = textMessage(3, { "THREE" });
    CurrentMessage seven = textMessage(7, { "SEVEN" });
    EXPECT_EQ(
        readWholeFile(path), scriptFileText({ zero, three, seven }, session->writer(), "5360"));
    EXPECT_EQ(ui.fileDialogs.back().title, "Save Script File");
    EXPECT_EQ(ui.fileDialogs.back().defaultExtension, "src");
    EXPECT_EQ(ui.captions.back(), "Marquis 5300 - new.src");
    EXPECT_EQ(session->preferences().RecentFiles[0], path);
}

TEST_F(FileSaveTest, AfterSavingEveryMessageLoadsFromTheNewFile)
{
    const std::string path =
        openScript("shop.src", { textMessage(1, { "ONE" }), textMessage(2, { "TWO" }) });
    typeLine1("ONE CHANGED");
    ASSERT_TRUE(session->goToMessage(5));
    typeLine1("FIVE");
    ASSERT_TRUE(session->goToMessage(2));
    const std::string store = session->store().TempStorePath;
    ASSERT_TRUE(files.exists(store));
    ASSERT_TRUE(session->Save());

    EXPECT_FALSE(files.exists(store));
    for (const auto state : session->store().MessageState)
        ASSERT_NE(state, InStore);
    EXPECT_FALSE(session->store().IsModified());
    EXPECT_EQ(linesOf(1)[0], "ONE CHANGED");
    EXPECT_EQ(linesOf(5)[0], "FIVE");
    EXPECT_EQ(linesOf(2)[0], "TWO");
    EXPECT_FALSE(session->message().ScriptEditOnly);
    EXPECT_EQ(ui.statuses.front(), "Assembling message  1");
}

TEST_F(FileSaveTest, ProgressTextsWhileSaving)
{
    session->FileNew();
    typeLine1("X");
    ui.files.push_back(workFolder / "progress.src");
    ui.statuses.clear();
    ASSERT_TRUE(session->SaveAs());
    std::vector<std::string> saving;
    for (const std::string& status : ui.statuses)
        if (status.starts_with("Saving file"))
            saving.push_back(status);
    ASSERT_EQ(saving.size(), 21u);
    EXPECT_EQ(saving.front(), "Saving file progress.src.  1 % complete.");
    EXPECT_EQ(saving[1], "Saving file progress.src.  5 % complete.");
    EXPECT_EQ(saving.back(), "Saving file progress.src.  100 % complete.");
    EXPECT_FALSE(ui.isBusy());
}

TEST_F(FileSaveTest, UnchangedFileUnderItsOwnNameIsNotWritten)
{
    const std::string path = openScript("same.src", { textMessage(1, { "ONE" }) });
    const auto before = std::filesystem::last_write_time(path);
    const int operations = files.operations;
    EXPECT_FALSE(session->Save());
    EXPECT_EQ(std::filesystem::last_write_time(path), before);
    EXPECT_EQ(files.operations, operations);
}

TEST_F(FileSaveTest, UnwritableFolderKeepsTheOldFile)
{
    const std::string path = openScript("shop.src", { textMessage(1, { "ONE" }) });
    const std::string old = readWholeFile(path);
    files.readOnlyFolders.insert(workFolder.folder());
    typeLine1("CHANGED");
    EXPECT_FALSE(session->Save());
    EXPECT_EQ(ui.messageTexts(),
        std::vector<std::string> { "Can't write in specified directory " + workFolder.folder() +
            ". You have to select SaveAs from Flie menu and save the file in diferent "
            "directory." });
    EXPECT_EQ(readWholeFile(path), old);
    EXPECT_EQ(linesOf(1)[0], "CHANGED");
}

TEST_F(FileSaveTest, ReplacingAFileAsksFirst)
{
    session->FileNew();
    typeLine1("NEW");
    const auto existing = workFolder.write("taken.src", "old");
    const std::string other = (workFolder / "other.src").string();
    ui.files = { existing, other };
    ui.answers = { Answer::No };
    ASSERT_TRUE(session->SaveAs());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
        "The file " + existing.string() + " already exists on disk.\r\nDo you want to replace it.");
    EXPECT_EQ(ui.messages[0].title, "File Save Message");
    EXPECT_EQ(ui.messages[0].buttons, Buttons::YesNo);
    EXPECT_EQ(readWholeFile(existing), "old");
    EXPECT_TRUE(files.exists(other));
}

TEST_F(FileSaveTest, SaveChangesQuestion)
{
    session->FileNew();
    typeLine1("UNSAVED");
    ui.answers = { Answer::Cancel };
    EXPECT_EQ(session->AskSaveChanges(), EditorSession::Decision::Cancel);
    EXPECT_EQ(ui.messages.back().text, "Do you want to save the changes?");
    EXPECT_EQ(ui.messages.back().buttons, Buttons::YesNoCancel);

    ui.answers = { Answer::No };
    EXPECT_EQ(session->AskSaveChanges(), EditorSession::Decision::GoOn);

    ui.answers = { Answer::Yes }; // Save As, then the dialog is cancelled
    EXPECT_EQ(session->AskSaveChanges(), EditorSession::Decision::Cancel);

    ui.answers = { Answer::Yes };
    ui.files = { workFolder / "saved.src" };
    EXPECT_EQ(session->AskSaveChanges(), EditorSession::Decision::GoOn);
    EXPECT_FALSE(session->store().IsModified());
    EXPECT_EQ(linesOf(0)[0], "UNSAVED");
}

TEST_F(FileSaveTest, FileNewStartsEmpty)
{
    openScript("shop.src", { textMessage(1, { "ONE" }, 2) });
    session->FileNew();
    EXPECT_EQ(ui.captions.back(), "Marquis 5300 - New");
    EXPECT_EQ(session->store().ScriptFilePath, "");
    EXPECT_EQ(session->message().MessageNumber, 0);
    EXPECT_EQ(session->message().MessageTask[1], 0);
    EXPECT_EQ(session->message().MessageScript, EmptyMessageText(0, 0, 4));
    EXPECT_FALSE(session->store().IsModified());
    for (const auto state : session->store().MessageState)
        ASSERT_EQ(state, Absent);
}

TEST_F(FileSaveTest, EmergencySaveKeepsEveryMessage)
{
    openScript("shop.src", { textMessage(1, { "ONE" }), textMessage(2, { "TWO" }) });
    typeLine1("ONE CHANGED");
    ASSERT_TRUE(session->goToMessage(2));
    typeLine1("TWO NOT YET STORED");
    ui.answers = { Answer::Yes };
    EXPECT_TRUE(session->reportFatalError("ShowEdit"));
    EXPECT_EQ(ui.messages[0].text,
        "Unexpected Error in module ShowEdit. Save all data in file " + programFolder.folder() +
            "MQS3TMP.SRC on exit?");
    EXPECT_EQ(ui.messages[0].icon, Icon::Exclamation);
    EXPECT_EQ(readWholeFile(programFolder / "MQS3TMP.SRC"),
        scriptFileText(
            { textMessage(1, { "ONE CHANGED" }), textMessage(2, { "TWO NOT YET STORED" }) },
            session->writer(), "5360"));

    ui.answers = { Answer::No };
    EXPECT_FALSE(session->reportFatalError("ReadFields"));
}

// Records numbered outside 0..1023 cannot be kept; a save that would drop them asks first.
TEST_F(FileSaveTest, SaveAsksBeforeDroppingMessagesThatWereLeftOut)
{
    std::string text = scriptFileText({ textMessage(1, { "ONE" }) }, session->writer(), "5360");
    text += "SUB 1024(TASK=0)\r\nLINE1:\r\n    PRINT\"LOST\";\r\nEND SUB\r\n\r\n";
    text += "SUB -1(TASK=0)\r\nEND SUB\r\n";
    const std::string path = workFolder.write("odd.src", text).string();
    ui.files.push_back(path);
    ASSERT_TRUE(session->FileOpen());
    EXPECT_EQ(session->leftOutMessages(), (std::vector<long long> { 1024, -1 }));
    ui.messages.clear();

    typeLine1("CHANGED");
    ui.answers = { Answer::Cancel };
    EXPECT_FALSE(session->Save());
    EXPECT_EQ(ui.messageTexts(),
        std::vector<std::string> { "The messages 1024, -1 of file odd.src have numbers outside 0 "
                                   "to 1023 and will not be saved.\r\nDo you want to save the "
                                   "file without them?" });
    EXPECT_EQ(ui.messages.back().buttons, Buttons::OkCancel);
    EXPECT_EQ(readWholeFile(path), text);
    EXPECT_TRUE(session->store().IsModified());

    ui.answers = { Answer::Ok };
    ASSERT_TRUE(session->Save());
    EXPECT_EQ(readWholeFile(path).find("LOST"), std::string::npos);
    EXPECT_TRUE(session->leftOutMessages().empty());
    ui.messages.clear();
    typeLine1("AGAIN");
    ASSERT_TRUE(session->Save());
    EXPECT_TRUE(ui.messages.empty());
}

// A SUB line without "(" ends the reading; what follows it is kept on disk until the user agrees
// to a save without it. Blank lines after it leave nothing unread.
TEST_F(FileSaveTest, SaveAsksBeforeDroppingTheTextAfterAnUnreadableSubLine)
{
    const std::string head = scriptFileText({ textMessage(1, { "ONE" }) }, session->writer(), "5360");
    const std::string text =
        head + "SUB 7 TASK=0\r\nSUB 2(TASK=0)\r\nLINE1:\r\n    PRINT\"KEPT\";\r\nEND SUB\r\n";
    const int subLine = static_cast<int>(std::count(head.begin(), head.end(), '\n')) + 1;
    const std::string path = workFolder.write("cut.src", text).string();
    ui.files.push_back(path);
    ASSERT_TRUE(session->FileOpen());
    EXPECT_EQ(session->unreadFromLine(), subLine);
    ASSERT_EQ(ui.messageTexts().size(), 1u);
    EXPECT_EQ(ui.messageTexts()[0],
        "Reading of file cut.src stopped at line " + std::to_string(subLine) +
            ", a SUB line without \"(\". The text from there on was left out.");
    ui.messages.clear();

    typeLine1("CHANGED");
    ui.answers = { Answer::Cancel };
    EXPECT_FALSE(session->Save());
    EXPECT_EQ(ui.messageTexts(),
        std::vector<std::string> { "The text of file cut.src from line " +
            std::to_string(subLine) +
            " on was not read and will not be saved.\r\nDo you want to save the file without "
            "it?" });
    EXPECT_EQ(readWholeFile(path), text);

    ui.answers = { Answer::Ok };
    ASSERT_TRUE(session->Save());
    EXPECT_EQ(readWholeFile(path).find("KEPT"), std::string::npos);
    EXPECT_FALSE(session->unreadFromLine());

    const std::string blankTail = workFolder.write("tail.src", head + "SUB\r\n\r\n  \r\n").string();
    ui.files.push_back(blankTail);
    ui.messages.clear();
    ASSERT_TRUE(session->FileOpen());
    EXPECT_FALSE(session->unreadFromLine());
    EXPECT_TRUE(ui.messageTexts().empty() ||
        ui.messageTexts().back().find("stopped") == std::string::npos);
}

TEST(LeftOutListTest, NamesTheFirstTenAndCountsTheRest)
{
    EXPECT_EQ(leftOutList({ 1024 }), "1024");
    std::vector<long long> many;
    for (long long n = 2000; n < 2013; ++n)
        many.push_back(n);
    EXPECT_EQ(
        leftOutList(many), "2000, 2001, 2002, 2003, 2004, 2005, 2006, 2007, 2008, 2009 and 3 more");
}

} // namespace
