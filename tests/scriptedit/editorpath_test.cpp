// Preferences OK takes an external editor only when its path names a program that can be
// started; otherwise the message could never come back from the editor's run.
#include "files/preferencesdialog.h"
#include "model/crccomponent.h"
#include "support/fakeuserinterface.h"
#include "support/temporaryfolder.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace marquis;
using namespace marquis::testing;

namespace {

class EditorPathTest : public ::testing::Test {
protected:
    PreferencesApplied ok(const std::string& path)
    {
        PreferencesForm form = loadPreferencesForm(preferences);
        form.externalEditor = true;
        form.editorPath = path;
        form.startChar = "{";
        return applyPreferencesForm(form, preferences, { message, writer, reader, false }, ui);
    }

    TemporaryFolder folder;
    CrcComponent crc { MARQUIS_BIN_DIR };
    FakeUserInterface ui;
    ScriptWriter writer { crc, ui };
    ScriptReader reader { crc, ui };
    CurrentMessage message;
    Preferences preferences = defaultPreferences(folder.folder());
};

TEST_F(EditorPathTest, APathThatNamesNoProgramKeepsTheDialogOpen)
{
    const std::string missing = (folder / "editor").string();
    EXPECT_FALSE(ok(missing).accepted);
    EXPECT_EQ(ui.messageTexts(),
        std::vector<std::string> { "The external script editor " + missing + " cannot be found." });
    EXPECT_EQ(ui.messages[0].icon, Icon::Exclamation);
    // Nothing of the form was taken.
    EXPECT_EQ(preferences.EditorType, "");
    EXPECT_EQ(preferences.StartChar, "<");

    const std::string text = folder.write("notes.txt", "text").string();
    EXPECT_FALSE(ok(text).accepted);
    EXPECT_EQ(ui.messageTexts().back(),
        "The external script editor " + text + " is not a program that can be started.");
    EXPECT_FALSE(ok(folder.folder()).accepted);
    EXPECT_FALSE(ok("  ").accepted);
    EXPECT_EQ(ui.messageTexts().back(),
        "No external script editor is named. Enter the path of its program, or choose "
        "Internal.");
    EXPECT_FALSE(ok("no-such-editor-anywhere").accepted);
}

TEST_F(EditorPathTest, AProgramByItsPathOrByItsNameIsTaken)
{
    const std::filesystem::path program = folder.write("edit", "#!/bin/sh\n");
    std::filesystem::permissions(program, std::filesystem::perms::owner_all);
    EXPECT_TRUE(ok(program.string()).accepted);
    EXPECT_EQ(preferences.EditorType, "1");
    EXPECT_EQ(preferences.EditorPath, program.string());
    EXPECT_EQ(preferences.StartChar, "{");
    EXPECT_TRUE(ok("sh").accepted); // found in the folders of PATH
    EXPECT_EQ(preferences.EditorPath, "sh");
    EXPECT_TRUE(ui.messages.empty());

    // Internal needs no program.
    PreferencesForm form = loadPreferencesForm(preferences);
    form.externalEditor = false;
    form.editorPath = "nothing";
    EXPECT_TRUE(
        applyPreferencesForm(form, preferences, { message, writer, reader, false }, ui).accepted);
    EXPECT_EQ(preferences.EditorType, "");
}

} // namespace
