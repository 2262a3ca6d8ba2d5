#include "files/preferences.h"
#include "support/fakeuserinterface.h"
#include "support/temporaryfolder.h"

#include <gtest/gtest.h>

using namespace marquis;
using namespace marquis::testing;
using namespace std::string_literals;

namespace {

class PreferencesTest : public ::testing::Test {
protected:
    TemporaryFolder folder;
    std::string programFolder = folder.folder();
    std::filesystem::path settings = folder / "marquis.ini";

    Preferences read(std::string_view content)
    {
        folder.write("marquis.ini", content);
        Preferences preferences;
        EXPECT_TRUE(readPreferences(settings, programFolder, preferences));
        return preferences;
    }
};

TEST_F(PreferencesTest, MissingFileGivesDefaultsAndSaysSo)
{
    Preferences preferences;
    preferences.ComPort = "4";
    EXPECT_FALSE(readPreferences(settings, programFolder, preferences));
    EXPECT_EQ(preferences, defaultPreferences(programFolder));
    EXPECT_EQ(preferences.ToolsFolder, programFolder);
    EXPECT_FALSE(preferences.WindowTop.has_value());

    // A folder in the file's place cannot be opened as a settings file either.
    std::filesystem::create_directory(settings);
    EXPECT_FALSE(readPreferences(settings, programFolder, preferences));
}

TEST_F(PreferencesTest, WritesEveryKeyInOrderWithCrLf)
{
    Preferences preferences = defaultPreferences(programFolder);
    preferences.WindowTop = 1200;
    preferences.RecentFiles = { "/a/one.src", "/b/two.src", "", "" };
    ASSERT_TRUE(writePreferences(preferences, settings));
    EXPECT_EQ(readWholeFile(settings),
        "[preferences]\r\nport=1\r\ntop=1200\r\nleft=\r\ntype=5320\r\nrate=19200\r\naddress=0\r\n"
        "edit_type=\r\nedit_path=\r\nstart_char=<\r\nstop_char=>\r\narrays1=/a/one.src\r\n"
        "arrays2=/b/two.src\r\narrays3=\r\narrays4=\r\nvarchar=^\r\nversion=2\r\nesc_file=no\r\n"
        "tools_path=" +
            programFolder + "\r\ncom1_device=\r\ncom2_device=\r\ncom3_device=\r\n" +
            "com4_device=\r\n");
}

TEST_F(PreferencesTest, EverySettingSurvivesWritingAndReading)
{
    folder.write("src2esc", "");
    Preferences written = defaultPreferences("/opt/marquis/");
    written.ComPort = "3";
    written.WindowTop = -150;
    written.WindowLeft = 2400;
    written.UnitType = "5360";
    written.BaudRate = "38400";
    written.UnitAddress = "255";
    written.EditorType = "1";
    written.EditorPath = "/usr/bin/ed caf\xe9";
    written.StartChar = "[";
    written.StopChar = "]";
    written.RecentFiles = { "/x/1.src", "/x/2.src", "/x/3.src", "/x/4.src" };
    written.PlaceholderChar = "?";
    written.ScriptVersion = "1";
    written.KeepEscFile = "yes";
    written.ToolsFolder = programFolder;
    written.ComDevices = { "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K1Z2X-if00-port0", "",
        "/dev/ttyACM0", "/tmp/unit link" };
    ASSERT_TRUE(writePreferences(written, settings));

    Preferences read;
    ASSERT_TRUE(readPreferences(settings, "/opt/marquis/", read));
    EXPECT_EQ(read, written);
}

TEST_F(PreferencesTest, KeysAreFoundLeniently)
{
    const Preferences preferences = read("type=5360\r\nnoise\r\n[preferences]\r\n"
                                         "  PORT= 3 \r\n"
                                         "rate =9600\r\n" // a blank before "=": unknown key
                                         "colour=red\r\n"
                                         "no equals sign here\n"
                                         "edit_path=/bin/a=b\n" // split at the first "="
                                         "Top=\t480\r"); // a trailing CR without LF
    EXPECT_EQ(preferences.UnitType, "5320"); // before the section
    EXPECT_EQ(preferences.ComPort, "3");
    EXPECT_EQ(preferences.BaudRate, "19200");
    EXPECT_EQ(preferences.EditorPath, "/bin/a=b");
    EXPECT_EQ(preferences.WindowTop, 480);
}

TEST_F(PreferencesTest, PositionOnlyFromWholeNumbers)
{
    for (const char* value : { "", "12.5", "12x", "x", "+", "99999999999", "1 2" }) {
        const Preferences preferences =
            read(std::string("[preferences]\r\ntop=") + value + "\r\nleft=" + value + "\r\n");
        EXPECT_FALSE(preferences.WindowTop.has_value()) << value;
        EXPECT_FALSE(preferences.WindowLeft.has_value()) << value;
    }
    EXPECT_EQ(read("[preferences]\r\nleft=-300\r\n").WindowLeft, -300);
}

TEST_F(PreferencesTest, EmptyDelimitersAndPlaceholderKeepTheirDefaults)
{
    const Preferences preferences =
        read("[preferences]\r\nstart_char=\r\nstop_char= \r\nvarchar=\r\ntools_path=\r\n"
             "edit_path=\r\n");
    EXPECT_EQ(preferences.StartChar, "<");
    EXPECT_EQ(preferences.StopChar, ">");
    EXPECT_EQ(preferences.PlaceholderChar, "^");
    EXPECT_EQ(preferences.ToolsFolder, programFolder);
}

TEST_F(PreferencesTest, ToolsFolderMustHoldTheCompiler)
{
    const std::filesystem::path tools = folder / "tools";
    std::filesystem::create_directory(tools);
    EXPECT_EQ(
        read("[preferences]\r\ntools_path=" + tools.string() + "\r\n").ToolsFolder, programFolder);

    folder.write("tools/" + std::string(CompilerFileName), "");
    EXPECT_EQ(read("[preferences]\r\ntools_path=" + tools.string() + "\r\n").ToolsFolder,
        tools.string() + "/");
    EXPECT_EQ(read("[preferences]\r\ntools_path=" + tools.string() + "/\r\n").ToolsFolder,
        tools.string() + "/");

    // The program folder itself is kept even without the compiler in it.
    EXPECT_EQ(
        read("[preferences]\r\ntools_path=" + programFolder + "\r\n").ToolsFolder, programFolder);
}

TEST_F(PreferencesTest, DamagedFileIsReadWithoutHarm)
{
    std::string damaged = "[preferences]\r\nport=\0\0\r\n"s;
    damaged += "edit_path=" + std::string(1 << 20, 'x') + "\r\n";
    damaged += std::string(1 << 20, '=') + "\r\n";
    damaged += "\xff\xfe=\x80\x81\r\narrays1=C:\\caf\xe9.src\r\n\0\r\ntype=5360"s;
    const Preferences preferences = read(damaged);
    EXPECT_EQ(preferences.ComPort, std::string("\0\0", 2));
    EXPECT_EQ(preferences.EditorPath.size(), std::size_t { 1 << 20 });
    EXPECT_EQ(preferences.RecentFiles[0], "C:\\caf\xe9.src");
    EXPECT_EQ(preferences.UnitType, "5360"); // the last line needs no line end
}

TEST_F(PreferencesTest, LineBreakInAValueCannotAddAKey)
{
    Preferences preferences = defaultPreferences(programFolder);
    preferences.EditorPath = "/bin/ed\r\nport=4";
    ASSERT_TRUE(writePreferences(preferences, settings));
    Preferences read;
    ASSERT_TRUE(readPreferences(settings, programFolder, read));
    EXPECT_EQ(read.ComPort, "1");
    EXPECT_EQ(read.EditorPath, "/bin/edport=4");
}

TEST_F(PreferencesTest, WritingReplacesTheFileAndLeavesNothingBeside)
{
    folder.write("marquis.ini", "[preferences]\r\nport=4\r\n" + std::string(5000, ' '));
    Preferences preferences = defaultPreferences(programFolder);
    ASSERT_TRUE(writePreferences(preferences, settings));
    EXPECT_TRUE(readWholeFile(settings).starts_with("[preferences]\r\nport=1\r\n"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST_F(PreferencesTest, FailedWriteIsReportedAndKeepsTheOldFile)
{
    const Preferences preferences = defaultPreferences(programFolder);
    std::string error;
    EXPECT_FALSE(writePreferences(preferences, folder / "missing" / "marquis.ini", &error));
    EXPECT_NE(error.find("marquis.ini"), std::string::npos) << error;

    // A folder where the file should be is neither replaced nor littered.
    std::filesystem::create_directory(settings);
    folder.write("marquis.ini/inside", "kept");
    error.clear();
    EXPECT_FALSE(writePreferences(preferences, settings, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(readWholeFile(settings / "inside"), "kept");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
    EXPECT_FALSE(writePreferences(preferences, settings)); // no error text wanted
}

TEST(RecentFilesTest, NewestFirstAtMostFour)
{
    Preferences preferences;
    EXPECT_TRUE(addRecentFile(preferences, "a"));
    EXPECT_TRUE(addRecentFile(preferences, "b"));
    EXPECT_TRUE(addRecentFile(preferences, "c"));
    EXPECT_TRUE(addRecentFile(preferences, "d"));
    using List = std::array<std::string, RecentFileCount>;
    EXPECT_EQ(preferences.RecentFiles, (List { "d", "c", "b", "a" }));

    EXPECT_FALSE(addRecentFile(preferences, "e")); // a fifth file pushes the fourth out
    EXPECT_EQ(preferences.RecentFiles, (List { "e", "d", "c", "b" }));

    EXPECT_FALSE(addRecentFile(preferences, "c")); // the third moves to the top
    EXPECT_EQ(preferences.RecentFiles, (List { "c", "e", "d", "b" }));

    EXPECT_FALSE(addRecentFile(preferences, "c")); // already on top
    EXPECT_FALSE(addRecentFile(preferences, ""));
    EXPECT_EQ(preferences.RecentFiles, (List { "c", "e", "d", "b" }));
}

TEST(RecentFilesTest, GrowsOnlyForANewFile)
{
    using List = std::array<std::string, RecentFileCount>;
    Preferences preferences;
    preferences.RecentFiles = { "a", "b", "", "" };
    EXPECT_FALSE(addRecentFile(preferences, "b"));
    EXPECT_EQ(preferences.RecentFiles, (List { "b", "a", "", "" }));
    EXPECT_TRUE(addRecentFile(preferences, "n"));
    EXPECT_EQ(preferences.RecentFiles, (List { "n", "b", "a", "" }));
    EXPECT_EQ(usedRecentFiles(preferences), 3u);

    // A gap left by a damaged file: nothing after it is lost, and the count is told right.
    preferences.RecentFiles = { "a", "", "c", "" };
    EXPECT_TRUE(addRecentFile(preferences, "c"));
    EXPECT_EQ(preferences.RecentFiles, (List { "c", "a", "", "" }));
    preferences.RecentFiles = { "a", "", "c", "" };
    EXPECT_TRUE(addRecentFile(preferences, "n"));
    EXPECT_EQ(preferences.RecentFiles, (List { "n", "a", "c", "" }));
}

TEST(UnitTypeTest, ModelDecidesLinesAndMemory)
{
    Preferences preferences;
    FakeUserInterface ui;
    EXPECT_EQ(unitLines(preferences), 2);
    EXPECT_EQ(memoryCode(preferences), "40");
    EXPECT_TRUE(checkUnitType(preferences, ui));

    preferences.UnitType = "5360";
    EXPECT_EQ(unitLines(preferences), 4);
    EXPECT_EQ(memoryCode(preferences), "80");
    EXPECT_TRUE(checkUnitType(preferences, ui));
    EXPECT_TRUE(ui.messages.empty());

    preferences.UnitType = "5340";
    EXPECT_EQ(unitLines(preferences), 2);
    EXPECT_FALSE(checkUnitType(preferences, ui));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Can't determine type of the unit");
    EXPECT_EQ(ui.messages[0].buttons, Buttons::Ok);
}

} // namespace
