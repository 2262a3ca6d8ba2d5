#include "support/sessionfixture.h"

#include <sys/stat.h>

using namespace marquis;
using namespace marquis::testing;

namespace {

class FileOpenTest : public SessionTest { };

TEST_F(FileOpenTest, OpensAtTheLowestMessageWithModelVersionAndTasks)
{
    const std::string path = openScript("plant.src",
        { textMessage(12, { "TWELVE" }, 3), textMessage(4, { "FOUR", "LINE 2" }, 2) }, "5320");
    EXPECT_EQ(session->message().MessageNumber, 4);
    EXPECT_EQ(session->message().UnitLines, 2);
    EXPECT_EQ(session->preferences().UnitType, "5320");
    EXPECT_EQ(session->message().MessageTask[12], 3);
    EXPECT_EQ(session->message().task(), 2);
    EXPECT_EQ(linesOf(4), (std::vector<std::string> { "FOUR", "LINE 2" }));
    EXPECT_EQ(ui.captions.back(), "Marquis 5300 - plant.src");
    EXPECT_EQ(session->preferences().RecentFiles[0], path);
    EXPECT_EQ(ui.fileDialogs.front().title, "Open Script File");
    EXPECT_EQ(ui.fileDialogs.front().filter, "Marquis script file (*.src)|*.src");
    EXPECT_EQ(ui.fileDialogs.front().folder, programFolder.folder());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(session->store().IsModified());
}

TEST_F(FileOpenTest, ProgressTextsWhileOpening)
{
    std::vector<CurrentMessage> messages;
    for (int n = 0; n < 40; ++n)
        messages.push_back(textMessage(n, { "MESSAGE " + std::to_string(n) }));
    openScript("big.src", messages);
    std::vector<std::string> opening;
    for (const std::string& status : ui.statuses)
        if (status.starts_with("Opening file"))
            opening.push_back(status);
    ASSERT_GE(opening.size(), 3u);
    const std::string total = std::to_string(std::filesystem::file_size(workFolder / "big.src"));
    EXPECT_EQ(opening.front(), "Opening file big.src. Total size  " + total + " , 0 % complete.");
    EXPECT_EQ(opening.back(), "Opening file big.src. Total size  " + total + " ,  100 % complete.");
    EXPECT_EQ(ui.currentStatus(), "");
    EXPECT_FALSE(ui.isBusy());
}

TEST_F(FileOpenTest, FileWithoutAModelIsRefusedAndTheOpenFileStays)
{
    const std::string kept = openScript("kept.src", { textMessage(1, { "KEPT" }) });
    typeLine1("UNSAVED");
    ASSERT_TRUE(session->goToMessage(2));
    ui.messages.clear();

    const auto foreign =
        workFolder.write("foreign.src", "#define Display_type ()\r\nSUB 1(TASK=0)\r\nEND SUB\r\n");
    ui.answers = { Answer::No, Answer::No }; // don't save; don't try again
    ui.files.push_back(foreign);
    EXPECT_FALSE(session->FileOpen());
    EXPECT_EQ(ui.messageTexts().back(),
        "You can open files created only with this program.\r\nDo you want to try again?");
    EXPECT_EQ(session->store().ScriptFilePath, kept);
    EXPECT_EQ(linesOf(1)[0], "UNSAVED");
}

TEST_F(FileOpenTest, RefusedFileOffersTheDialogAgain)
{
    const auto foreign = workFolder.write("foreign.src", "#define Display_type ( )\r\n");
    const auto good = workFolder.write(
        "good.src", scriptFileText({ textMessage(0, { "GOOD" }) }, session->writer(), "5360"));
    ui.answers = { Answer::Yes };
    ui.files = { foreign, good };
    EXPECT_TRUE(session->FileOpen());
    EXPECT_EQ(ui.fileDialogs.size(), 2u);
    EXPECT_EQ(linesOf(0)[0], "GOOD");
}

TEST_F(FileOpenTest, MissingFileIsReportedAndTheDialogOpensAgain)
{
    ui.files = { workFolder / "nowhere.src" };
    EXPECT_FALSE(session->FileOpen());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Specified file doesn't exist.");
    EXPECT_EQ(ui.messages[0].title, "File Load Message");
    EXPECT_EQ(ui.messages[0].icon, Icon::Information);
    EXPECT_EQ(ui.fileDialogs.size(), 2u);
}

TEST_F(FileOpenTest, SubLineWithoutParenthesisEndsTheFile)
{
    ScriptWriter& writer = session->writer();
    std::string text = scriptFileText({ textMessage(1, { "ONE" }) }, writer, "5360");
    text += "SUB broken\r\n";
    text += scriptFileText({ textMessage(2, { "TWO" }) }, writer, "5360");
    ui.files.push_back(workFolder.write("broken.src", text));
    ASSERT_TRUE(session->FileOpen());
    EXPECT_EQ(session->store().MessageState[1], InScript);
    EXPECT_EQ(session->store().MessageState[2], Absent);
}

TEST_F(FileOpenTest, EmptyFileHasNoMessages)
{
    ui.files.push_back(workFolder.write("empty.src", ""));
    ASSERT_TRUE(session->FileOpen());
    EXPECT_EQ(ui.messageTexts(),
        std::vector<std::string> { "This file has no messages. It will be easier to select New "
                                   "file, create the messages and then save it under the same "
                                   "name." });
    for (const auto state : session->store().MessageState)
        ASSERT_EQ(state, Absent);
}

TEST_F(FileOpenTest, DamagedFileIsReadWithoutHarm)
{
    ScriptWriter& writer = session->writer();
    std::string text = scriptFileText({ textMessage(1, { "ONE" }) }, writer, "5360");
    text += std::string(100000, 'x') + "\r\n";
    text += std::string("junk\0with\0nul\xff\xfe\r\n", 17);
    text += "SUB 4000(TASK=1)    // CRC value = 1\r\nEND SUB\r\n";
    text += "SUB -3(TASK=1)\r\nEND SUB\r\n";
    text += scriptFileText({ textMessage(2, { "TWO" }) }, writer, "5360");
    ui.files.push_back(workFolder.write("damaged.src", text));
    ASSERT_TRUE(session->FileOpen());
    EXPECT_EQ(ui.messageTexts(),
        std::vector<std::string> { "The file damaged.src holds messages with numbers outside 0 "
                                   "to 1023 (4000, -3). They were left out." });
    EXPECT_EQ(linesOf(1)[0], "ONE");
    EXPECT_EQ(linesOf(2)[0], "TWO");
}

TEST_F(FileOpenTest, LineFeedOnlyFilesFindTheirMessages)
{
    std::string text = scriptFileText(
        { textMessage(1, { "ONE" }), textMessage(2, { "TWO" }) }, session->writer(), "5360");
    std::string unix;
    for (const char c : text)
        if (c != '\r')
            unix += c;
    ui.files.push_back(workFolder.write("unix.src", unix));
    ASSERT_TRUE(session->FileOpen());
    EXPECT_EQ(linesOf(2)[0], "TWO");
    EXPECT_EQ(linesOf(1)[0], "ONE");
}

TEST_F(FileOpenTest, RecentFileOpensWithoutADialog)
{
    const std::string first = openScript("first.src", { textMessage(1, { "FIRST" }) });
    const std::string second = openScript("second.src", { textMessage(1, { "SECOND" }) });
    EXPECT_EQ(session->preferences().RecentFiles[1], first);
    const std::size_t dialogs = ui.fileDialogs.size();
    ASSERT_TRUE(session->openRecentFile(1));
    EXPECT_EQ(ui.fileDialogs.size(), dialogs);
    EXPECT_EQ(linesOf(1)[0], "FIRST");
    EXPECT_EQ(session->preferences().RecentFiles[0], first);
    EXPECT_EQ(session->preferences().RecentFiles[1], second);
}

TEST_F(FileOpenTest, UnreadableFileLeavesTheOpenOneAlone)
{
    const std::string kept = openScript("kept.src", { textMessage(1, { "KEPT" }) });
    session->preferences().RecentFiles[1] = (workFolder / "gone.src").string();
    EXPECT_FALSE(session->openRecentFile(1));
    EXPECT_EQ(
        ui.messageTexts().back(), "Error! Cannot open file " + (workFolder / "gone.src").string());
    EXPECT_EQ(ui.messages.back().icon, Icon::Exclamation);
    EXPECT_EQ(session->store().ScriptFilePath, kept);
    EXPECT_EQ(linesOf(1)[0], "KEPT");
}

constexpr const char* NotOurFile =
    "You can open files created only with this program.\r\nDo you want to try again?";

// Anything else than a script must not open as an empty file that the next save overwrites.
TEST_F(FileOpenTest, FileWithoutMessagesButOtherTextIsRefused)
{
    const std::string picture = std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x01", 20) +
        std::string(300, '\x7f') + "\nIEND\xae";
    for (const std::string& content : { picture, std::string("root:x:0:0:root:/root\n"),
             std::string("#define Display_type (5360)\r\n// notes\r\n"),
             std::string("SUB 1024\r\n") }) {
        SCOPED_TRACE(content);
        const auto fake = workFolder.write("fake.src", content);
        ui.answers = { Answer::No }; // the changes of the round before
        session->FileNew();
        ui.messages.clear();
        ui.answers = { Answer::No };
        ui.files.push_back(fake);
        EXPECT_FALSE(session->FileOpen());
        EXPECT_EQ(ui.messageTexts(), std::vector<std::string> { NotOurFile });
        EXPECT_EQ(ui.messages.back().buttons, Buttons::YesNo);
        EXPECT_EQ(session->store().ScriptFilePath, "");
        typeLine1("X");
        ui.answers = { Answer::No };
        EXPECT_FALSE(session->Save()); // no file open: Save As, and its dialog is cancelled
        EXPECT_EQ(readWholeFile(fake), content);
    }
}

TEST_F(FileOpenTest, HeaderAndBlankLinesAloneOpenAsAFileWithoutMessages)
{
    ui.files.push_back(workFolder.write("header.src",
        "#define Display_type (5320)\r\n#include \"ESCAPES.H\"\r\n#pragma version 1\r\n"
        " \t\r\n\r\n"));
    ASSERT_TRUE(session->FileOpen());
    EXPECT_TRUE(ui.messages.empty()) << ui.messageTexts().front();
    EXPECT_EQ(session->preferences().UnitType, "5320");

    // Text other than the header is fine in a file that holds messages.
    std::string text = "// The shop's messages\r\n";
    text += scriptFileText({ textMessage(3, { "THREE" }) }, session->writer(), "5360");
    ui.files.push_back(workFolder.write("notes.src", text));
    ASSERT_TRUE(session->FileOpen());
    EXPECT_EQ(linesOf(3)[0], "THREE");
}

// The compiler ends a line at a CR alone; the store must find the same messages.
TEST_F(FileOpenTest, CarriageReturnAloneEndsALineAsForTheCompiler)
{
    ScriptWriter& writer = session->writer();
    std::string text = scriptFileText({ textMessage(1, { "ONE" }) }, writer, "5360");
    std::string thirty = scriptFileText({ textMessage(30, { "THIRTY" }) }, writer, "5360");
    thirty = thirty.substr(thirty.find("SUB"));
    text += "// next\r" + thirty;
    std::string seven = scriptFileText({ textMessage(7, { "SEVEN" }) }, writer, "5360");
    seven = seven.substr(seven.find("SUB"));
    for (std::size_t at = seven.find("\r\n"); at != std::string::npos; at = seven.find("\r\n"))
        seven.replace(at, 2, "\r"); // a file with old Macintosh line ends
    text += seven;
    const std::string path = workFolder.write("cr.src", text).string();
    ui.files.push_back(path);
    ASSERT_TRUE(session->FileOpen());
    EXPECT_EQ(linesOf(30)[0], "THIRTY");
    EXPECT_FALSE(session->message().ScriptEditOnly);
    EXPECT_EQ(linesOf(7)[0], "SEVEN");
    EXPECT_EQ(linesOf(1)[0], "ONE");

    typeLine1("CHANGED");
    ASSERT_TRUE(session->Save());
    ASSERT_TRUE(session->openScriptFile(path));
    EXPECT_EQ(linesOf(1)[0], "CHANGED");
    EXPECT_EQ(linesOf(7)[0], "SEVEN");
    EXPECT_EQ(linesOf(30)[0], "THIRTY");
}

// A FIFO would block the program until a writer comes, a device could be read for ever.
TEST_F(FileOpenTest, OnlyRegularFilesAreRead)
{
    const std::string fifo = (workFolder / "pipe.src").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& path : { fifo, std::string("/dev/zero") }) {
        ui.messages.clear();
        EXPECT_FALSE(session->openScriptFile(path));
        EXPECT_EQ(
            ui.messageTexts(), std::vector<std::string> { "Error! Cannot open file " + path });
    }
}

} // namespace
