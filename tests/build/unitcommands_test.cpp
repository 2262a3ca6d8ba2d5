#include "buildfixture.h"

#include "build/readflash.h"
#include "build/unitcommands.h"

#include <fstream>

using namespace marquis;
using namespace marquis::testing;

namespace {

class UnitCommandsTest : public BuildTest {
protected:
    UnitCommands commands { *session, tools };
};

TEST(CallUpParsingTest, NumberAndVariableString)
{
    EXPECT_EQ(parseCallUp("12").number, "12");
    EXPECT_EQ(parseCallUp("12").variables, "");
    EXPECT_EQ(parseCallUp(" 12 \"21.5 3\" ").variables, "21.5 3");
    EXPECT_EQ(parseCallUp("12\"21.5 3\"").number, "12");
    EXPECT_EQ(parseCallUp("12\"21.5 3\"").variables, "21.5 3");
    EXPECT_EQ(parseCallUp("12 21 5").variables, "21 5");
}

TEST_F(UnitCommandsTest, CallUpSendsNumberAndVariables)
{
    ui.inputs = { std::string("12 \"21.5 3\"") };
    commands.callUp();
    ASSERT_EQ(runs().size(), 1u);
    EXPECT_TRUE(runs()[0].starts_with("5300 c | 12 | 21.5 3 | /a"));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string> { "Unit answered c\r\n" });
    EXPECT_EQ(ui.statuses.front(), "Processing command Call up message.");
    EXPECT_EQ(ui.currentStatus(), "");
    EXPECT_TRUE(runs()[0].ends_with(" | /log | " + tools.workFolder() + "MQSCALL"));
    EXPECT_TRUE(std::filesystem::is_empty(tools.workFolder()));

    ui.inputs = { std::string("  ") };
    commands.callUp();
    EXPECT_EQ(runs().size(), 1u);
}

// The answer arrives as UTF-8 and goes out in the unit's single-byte code page; a character that
// code page lacks is refused before anything is sent.
TEST_F(UnitCommandsTest, CallUpSendsTheUnitsCodePage)
{
    ui.inputs = { std::string("30 \"21\u00B0C \u00E9t\u00E9 \u20AC\"") };
    commands.callUp();
    ASSERT_EQ(runs().size(), 1u);
    EXPECT_TRUE(runs()[0].starts_with("5300 c | 30 | 21\xB0" "C \xE9t\xE9 \x80 | /a")) << runs()[0];

    ui.inputs = { std::string("30 \"21\u03A9\"") };
    commands.callUp();
    EXPECT_EQ(runs().size(), 1u);
    EXPECT_EQ(ui.messages.back().text,
        "The character \u03A9 can't be sent to the unit. The unit shows only the characters of "
        "the Windows-1252 code page.");
    EXPECT_EQ(ui.currentStatus(), "");
}

// The work files live in a folder of the runner's own, private to the user, and go with it;
// the program folder is left alone.
TEST_F(UnitCommandsTest, WorkFilesLiveInAPrivateFolderThatGoesWithTheRunner)
{
    std::string folder;
    {
        ToolRunner own(processes, files, ui, toolsFolder.folder());
        UnitCommands mine(*session, own);
        folder = own.workFolder();
        ASSERT_FALSE(folder.empty());
        EXPECT_NE(folder, tools.workFolder());
        EXPECT_EQ(folder.rfind(runtimeFolder.folder(), 0), 0u) << folder;
        EXPECT_EQ(std::filesystem::status(folder).permissions() & std::filesystem::perms::all,
            std::filesystem::perms::owner_all);
        mine.reboot();
        ASSERT_EQ(runs().size(), 1u);
        EXPECT_TRUE(runs()[0].ends_with(" | /log | " + folder + "MQSREBT"));
        std::ofstream(folder + "left.txt") << "x";
    }
    EXPECT_FALSE(std::filesystem::exists(folder));
    EXPECT_FALSE(files.exists(programFolder.folder() + "MQSREBT.lst"));
}

TEST_F(UnitCommandsTest, EraseOnlyAfterOk)
{
    ui.answers = { Answer::Cancel };
    commands.eraseFlash();
    EXPECT_TRUE(runs().empty());
    EXPECT_EQ(ui.messages[0].defaultAnswer, Answer::Cancel);
    EXPECT_EQ(ui.messages[0].icon, Icon::Exclamation);
    ui.answers = { Answer::Ok };
    commands.eraseFlash();
    ASSERT_EQ(runs().size(), 1u);
    EXPECT_TRUE(runs()[0].starts_with("5300 e | /a"));
}

TEST_F(UnitCommandsTest, RebootHasNoLetter)
{
    commands.reboot();
    ASSERT_EQ(runs().size(), 1u);
    EXPECT_TRUE(runs()[0].starts_with("5300 - | b | /a"));
}

TEST_F(UnitCommandsTest, SendMessageCompilesTheCurrentMessage)
{
    openScript("shop.src", { textMessage(4, { "FOUR" }) });
    ui.answers = { Answer::Ok };
    commands.sendMessage();
    EXPECT_EQ(ui.messages[0].text,
        "Message  4 will be sent to the 5360 unit without programming the flash memory.");
    const std::string base = tools.workFolder() + "MQSSEND";
    ASSERT_EQ(runs().size(), 3u);
    EXPECT_TRUE(runs()[0].starts_with("src2esc - | " + base + ".src | " + base));
    EXPECT_TRUE(runs()[2].starts_with("5300 m | " + base + ".bin | 4 | /a"));
    EXPECT_FALSE(files.exists(base + ".bin"));
    EXPECT_FALSE(files.exists(base + ".src"));
    EXPECT_EQ(ui.messageTexts().back(), "Unit answered m\r\n");
}

TEST_F(UnitCommandsTest, SendMessageWithoutContentAsksForABinary)
{
    const auto binary = workFolder.write("image.bin", "bin");
    ui.files = { workFolder / "missing.bin", binary };
    ui.inputs = { std::string("9"), std::string("10") };
    commands.sendMessage();
    EXPECT_TRUE(runs().empty());  // the binary does not exist: nothing happens
    EXPECT_EQ(ui.fileDialogs.back().title, "Send Message from file");
    commands.sendMessage();
    ASSERT_EQ(runs().size(), 1u);
    EXPECT_TRUE(runs()[0].starts_with("5300 m | " + binary.string() + " | 10 | /a"));
    EXPECT_NE(std::find(ui.statuses.begin(), ui.statuses.end(),
                  "Sending message  10 to the 5360 unit."),
        ui.statuses.end());
}

TEST_F(UnitCommandsTest, ReadFlashRefusesToCloseWhileBusy)
{
    ReadFlashDialog dialog(*session, tools);
    bool closableWhileReading = true;
    dialog.onStatus = [&](const std::string& text) {
        if (text == "Reading Flash. Please wait until this process is finished.")
            closableWhileReading = dialog.canClose();
    };
    ui.files = { workFolder / "flash.bin" };
    dialog.readFlash();
    EXPECT_FALSE(closableWhileReading);
    EXPECT_TRUE(dialog.canClose());
    ASSERT_EQ(runs().size(), 1u);
    EXPECT_TRUE(runs()[0].starts_with("5300 r | " + workFolder.folder() + "flash | /a"));
    EXPECT_TRUE(runs()[0].ends_with(" | /log | " + tools.workFolder() + "MQSREAD"));
}

TEST_F(UnitCommandsTest, ProgramFlashAnnouncesSuccessOnlyWhenTheLinkSucceeded)
{
    ReadFlashDialog dialog(*session, tools);
    std::string status;
    dialog.onStatus = [&](const std::string& text) { status = text; };
    const auto binary = workFolder.write("image.bin", "bin");
    ui.files = { binary };
    dialog.programFlash();
    EXPECT_EQ(status, "Unit has been successfully programmed.");

    setMode("errors");
    ui.files = { binary };
    dialog.programFlash();
    EXPECT_EQ(status, "");
    EXPECT_TRUE(ui.messageTexts().back().starts_with("An error occurred while trying to program the unit."));
}

}  // namespace
