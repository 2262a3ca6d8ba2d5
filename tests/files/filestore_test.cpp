#include "model/checkvalues.h"
#include "support/sessionfixture.h"

#include <regex>

using namespace marquis;
using namespace marquis::testing;

namespace {

class FileStoreTest : public SessionTest {
protected:
    std::string storeText() { return readWholeFile(session->store().TempStorePath); }

    static int count(const std::string& text, const std::string& piece)
    {
        int n = 0;
        for (std::size_t at = text.find(piece); at != std::string::npos;
             at = text.find(piece, at + 1))
            ++n;
        return n;
    }
};

TEST_F(FileStoreTest, NewEmptyMessageLeavesTheStoreAlone)
{
    session->FileNew();
    ASSERT_TRUE(session->goToMessage(5));
    EXPECT_EQ(session->store().TempStorePath, "");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(session->store().IsModified());
}

TEST_F(FileStoreTest, ChangingAStoredMessageTwiceKeepsOneRecord)
{
    openScript("shop.src", { textMessage(1, { "ONE" }), textMessage(2, { "TWO" }) });
    typeLine1("NEW THREE");
    ASSERT_TRUE(session->goToMessage(1));
    typeLine1("ONE CHANGED");
    ASSERT_TRUE(session->goToMessage(3));
    const std::int32_t firstOffset = session->store().MessageOffset[3];
    typeLine1("THREE AGAIN");
    ASSERT_TRUE(session->goToMessage(1)); // message 3 changes a second time: rebuilt store
    typeLine1("ONE AGAIN");
    ASSERT_TRUE(session->goToMessage(2));

    EXPECT_EQ(count(storeText(), "SUB 3("), 1);
    EXPECT_EQ(count(storeText(), "SUB 1("), 1);
    EXPECT_NE(session->store().MessageOffset[3], firstOffset);
    EXPECT_EQ(linesOf(3)[0], "THREE AGAIN");
    EXPECT_EQ(linesOf(1)[0], "ONE AGAIN");
    EXPECT_EQ(linesOf(2)[0], "TWO");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FileStoreTest, UnchangedMessagesStayInTheScriptFile)
{
    openScript("shop.src", { textMessage(1, { "ONE" }), textMessage(2, { "TWO" }) });
    ASSERT_TRUE(session->goToMessage(2));
    ASSERT_TRUE(session->goToMessage(1));
    EXPECT_EQ(session->store().MessageState[1], InScript);
    EXPECT_EQ(session->store().MessageState[2], InScript);
    EXPECT_FALSE(session->store().IsModified());
}

TEST_F(FileStoreTest, MessageOfTheScriptFileWithoutAFile)
{
    session->store().MessageState[7] = InScript;
    session->store().LoadMessage(7);
    EXPECT_EQ(
        ui.messageTexts(), std::vector<std::string> { "Error. Specified message not found." });
    EXPECT_EQ(session->message().MessageScript, "");
}

TEST_F(FileStoreTest, NextAndPreviousMessages)
{
    openScript("shop.src", { textMessage(3, { "A" }), textMessage(9, { "B" }) });
    FileStore& store = session->store();
    EXPECT_EQ(store.NextMessage(-1), 3);
    EXPECT_EQ(store.NextMessage(3), 9);
    EXPECT_EQ(store.NextMessage(9), 10);
    EXPECT_EQ(store.PreviousMessage(9), 3);
    EXPECT_EQ(store.PreviousMessage(3), 2);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(store.NextMessage(1023), 0);
    EXPECT_EQ(store.PreviousMessage(0), 0);
    EXPECT_EQ(ui.messageTexts(),
        (std::vector<std::string> {
            "Message 1023 is the last one", "Message 0 is the first one" }));
}

TEST_F(FileStoreTest, UnwritableScriptFolderPutsTheStoreInTheProgramFolder)
{
    openScript("shop.src", { textMessage(1, { "ONE" }) });
    files.readOnlyFolders.insert(workFolder.folder());
    typeLine1("CHANGED");
    ASSERT_TRUE(session->goToMessage(2));
    EXPECT_EQ(ui.messageTexts(),
        std::vector<std::string> { "Can't write in specified directory " + workFolder.folder() +
            ". New created messages will be written in temporary file in directory - " +
            programFolder.folder() });
    EXPECT_EQ(session->store().TempStorePath, programFolder.folder() + "TMP$$$.TMP");
    EXPECT_EQ(linesOf(1)[0], "CHANGED");
}

TEST_F(FileStoreTest, FullDiskKeepsTheMessageBeingStored)
{
    session->FileNew();
    typeLine1("FIRST");
    ASSERT_TRUE(session->goToMessage(1));
    typeLine1("SECOND");
    files.bytesLeft = 10;
    EXPECT_FALSE(session->goToMessage(2));
    EXPECT_EQ(ui.messageTexts().back(), "Can't write in file TMP$$$.TMP");
    EXPECT_EQ(session->message().MessageNumber, 1); // the editor stays on the message
    EXPECT_EQ(linesOf(1)[0], "SECOND");
    files.bytesLeft.reset();
    ASSERT_TRUE(session->goToMessage(2));
    EXPECT_EQ(linesOf(0)[0], "FIRST");
    EXPECT_EQ(linesOf(1)[0], "SECOND");
}

TEST_F(FileStoreTest, FailedRebuildKeepsTheOldStoreAndTheNewText)
{
    session->FileNew();
    for (int n = 0; n < 4; ++n) {
        typeLine1("MESSAGE " + std::to_string(n));
        ASSERT_TRUE(session->goToMessage(n + 1));
    }
    ASSERT_TRUE(session->goToMessage(2));
    const std::string oldStore = storeText();
    const auto oldOffsets = session->store().MessageOffset;
    typeLine1("MESSAGE 2 CHANGED");
    files.bytesLeft = 200; // the rebuild runs out of room half way
    EXPECT_FALSE(session->goToMessage(0));
    EXPECT_EQ(ui.messageTexts().back(), "Can't write in file TMP1$$.TMP");
    EXPECT_EQ(storeText(), oldStore);
    EXPECT_EQ(session->store().MessageOffset, oldOffsets);
    EXPECT_FALSE(files.exists(session->store().storeFolder() + "TMP1$$.TMP"));
    EXPECT_EQ(linesOf(2)[0], "MESSAGE 2 CHANGED");

    files.bytesLeft.reset();
    ASSERT_TRUE(session->goToMessage(0));
    for (int n : { 0, 1, 3 })
        EXPECT_EQ(linesOf(n)[0], "MESSAGE " + std::to_string(n));
    EXPECT_EQ(linesOf(2)[0], "MESSAGE 2 CHANGED");
}

TEST_F(FileStoreTest, ChangesAreKeptWithoutTheCheckValueComponent)
{
    CrcComponent missing(programFolder.path() / "nothing-here");
    EditorSession lonely(missing, ui, files,
        ProgramFolders { programFolder.folder(), programFolder.folder() },
        defaultPreferences(programFolder.folder()));
    lonely.FileNew();
    lonely.message().line(1).LineText = "\\f0 \\cf0 kept";
    ASSERT_TRUE(lonely.goToMessage(1));
    lonely.message().line(1).LineText = "\\f0 \\cf0 also kept";
    ASSERT_TRUE(lonely.goToMessage(0));
    EXPECT_EQ(lonely.store().MessageState[0], InStore);
    EXPECT_EQ(lonely.store().MessageState[1], InStore);
    ASSERT_TRUE(lonely.goToMessage(1));
    EXPECT_NE(lonely.message().line(1).LineText.find("also kept"), std::string::npos);
}

} // namespace
