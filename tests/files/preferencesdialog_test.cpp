#include "files/preferencesdialog.h"
#include "support/modelfixture.h"

#include <gtest/gtest.h>

using namespace marquis;
using namespace marquis::testing;

namespace {

class PreferencesDialogTest : public ModelTest {
protected:
    Preferences preferences;
    CurrentMessage message;
    bool scriptEditMode = false;

    void SetUp() override
    {
        // A variable of two digits, and the same character typed as plain text.
        preferences.PlaceholderChar = "#";
        message.MessageNumber = 7;
        message.PlaceholderChar = "#";
        message.line(1).LineText = "\\sb90\\sa90 \\f0 \\cf0 Temp \\f3 \\cf4 ##";
        message.line(2).LineText = "\\sb90\\sa90 \\f0 \\cf0 Room #1";
        message = writeAndRead(message);
        ui.statuses.clear();
        ui.busyChanges.clear();
    }

    PreferencesApplied ok(const std::string& placeholder)
    {
        PreferencesForm form = loadPreferencesForm(preferences);
        form.placeholder = placeholder;
        return applyPreferencesForm(
            form, preferences, { message, writer, reader, scriptEditMode }, ui);
    }
};

TEST_F(PreferencesDialogTest, NewPlaceholderReachesOnlyVariables)
{
    // Typed since the message was last written: it must survive the rebuild.
    message.line(3).LineText = "\\sb90\\sa90 \\f0 \\cf0 New ##";
    const PreferencesApplied applied = ok("?");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
        "Current variable placeholder # will be replaced with the new one ? only in places which "
        "have variable attribute assigned already, i.e. appeared in red color.");
    EXPECT_EQ(ui.messages[0].buttons, Buttons::OkCancel);
    EXPECT_EQ(ui.messages[0].icon, Icon::Information);
    EXPECT_EQ(ui.messages[0].defaultAnswer, Answer::Ok);

    EXPECT_TRUE(applied.messageRebuilt);
    EXPECT_TRUE(applied.refreshDisplay);
    EXPECT_EQ(preferences.PlaceholderChar, "?");
    EXPECT_EQ(message.PlaceholderChar, "?");
    EXPECT_EQ(message.line(1).LineText, "\\sb90\\sa90 \\f0 \\cf0 Temp \\f3 \\cf4 ??");
    EXPECT_EQ(message.line(2).LineText, "\\sb90\\sa90 \\f0 \\cf0 Room #1");
    EXPECT_EQ(message.line(3).LineText, "\\sb90\\sa90 \\f0 \\cf0 New ##");
    EXPECT_FALSE(message.ScriptEditOnly);
}

TEST_F(PreferencesDialogTest, CancelKeepsThePlaceholderButTakesTheRest)
{
    const CurrentMessage before = message;
    ui.answers.push_back(Answer::Cancel);
    PreferencesForm form = loadPreferencesForm(preferences);
    form.placeholder = "?";
    form.externalEditor = true;
    form.editorPath = "/bin/sh";
    form.startChar = "{";
    const PreferencesApplied applied =
        applyPreferencesForm(form, preferences, { message, writer, reader, false }, ui);
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_FALSE(applied.messageRebuilt);
    EXPECT_TRUE(applied.refreshDisplay);
    EXPECT_EQ(preferences.PlaceholderChar, "#");
    EXPECT_EQ(message, before);
    EXPECT_EQ(preferences.EditorType, "1");
    EXPECT_EQ(preferences.EditorPath, "/bin/sh");
    EXPECT_EQ(preferences.StartChar, "{");
}

TEST_F(PreferencesDialogTest, ScriptEditModeLeavesTheScriptAlone)
{
    CurrentMessage expected = message;
    expected.PlaceholderChar = "?"; // for when the lines are next read from the script
    message.MessageScript += "// typed in Script Edit\r\n";
    expected.MessageScript = message.MessageScript;
    scriptEditMode = true;
    EXPECT_FALSE(ok("?").messageRebuilt);
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(preferences.PlaceholderChar, "?");
    EXPECT_EQ(message, expected);
}

TEST_F(PreferencesDialogTest, EmptyBoxRestoresTheDefaultWithoutAsking)
{
    EXPECT_TRUE(ok(" ").messageRebuilt);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(preferences.PlaceholderChar, "^");
    EXPECT_EQ(message.line(1).LineText, "\\sb90\\sa90 \\f0 \\cf0 Temp \\f3 \\cf4 ^^");

    // Already the default: nothing to rebuild.
    EXPECT_FALSE(ok("").messageRebuilt);
    EXPECT_EQ(preferences.PlaceholderChar, "^");
}

TEST_F(PreferencesDialogTest, UnchangedOrUnacceptablePlaceholderIsLeftAlone)
{
    const CurrentMessage before = message;
    for (const char* box : { "#", " # ", ".", "ab", "\xe9", "\b" }) {
        EXPECT_FALSE(ok(box).messageRebuilt) << box;
        EXPECT_EQ(preferences.PlaceholderChar, "#") << box;
    }
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(message, before);
}

TEST(PreferencesFormTest, LoadAndOkMapTheControls)
{
    Preferences preferences;
    preferences.EditorType = "1";
    preferences.EditorPath = "/opt/edit";
    preferences.StartChar = "[";
    preferences.StopChar = "]";
    PreferencesForm form = loadPreferencesForm(preferences);
    EXPECT_EQ(form, (PreferencesForm { true, "/opt/edit", "^", "[", "]" }));
    preferences.EditorType = "yes"; // anything but "1" is the built-in editor
    EXPECT_FALSE(loadPreferencesForm(preferences).externalEditor);

    FakeUserInterface ui;
    FixedCheckValue checkValues(0);
    ScriptWriter writer(checkValues, ui);
    ScriptReader reader(checkValues, ui);
    CurrentMessage message;
    form = { false, "/opt/other", "^", "", " " };
    applyPreferencesForm(form, preferences, { message, writer, reader, false }, ui);
    EXPECT_EQ(preferences.EditorType, "");
    EXPECT_EQ(preferences.EditorPath, "/opt/other");
    EXPECT_EQ(preferences.StartChar, "<");
    EXPECT_EQ(preferences.StopChar, ">");
    EXPECT_TRUE(ui.messages.empty());
}

TEST(PreferencesFormTest, BrowseFillsThePathBox)
{
    FakeUserInterface ui;
    ui.files = { std::filesystem::path("/usr/bin/caf\u00e9"), std::nullopt };
    EXPECT_EQ(browseForEditor(ui, "/old"), "/usr/bin/caf\u00e9"); // as the file system spells it
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_EQ(ui.fileDialogs[0].title, "Browse");
    EXPECT_EQ(ui.fileDialogs[0].filter, "Programs |*.exe;*.com;*.bat;*.pif|All files (*.*)|*.*");

    EXPECT_EQ(browseForEditor(ui, "/old"), "/old"); // cancelled
    EXPECT_TRUE(ui.messages.empty());
}

TEST(PreferencesFormTest, KeyFilters)
{
    for (const int code : { 8, 33, 42, 47, 60, 62, 64, 91, 96, 123, 126 })
        EXPECT_TRUE(acceptsDelimiterKey(code)) << code;
    for (const int code : { -1, 0, 9, 13, 32, 43, 46, 48, 59, 61, 63, 65, 90, 97, 122, 127, 233 })
        EXPECT_FALSE(acceptsDelimiterKey(code)) << code;

    for (const int code : { 8, 33, 34, 36, 45, 47, 48, 63, 94, 126 })
        EXPECT_TRUE(acceptsPlaceholderKey(code)) << code;
    for (const int code : { -1, 0, 9, 13, 32, 35, 46, 127, 128, 233 })
        EXPECT_FALSE(acceptsPlaceholderKey(code)) << code;
}

} // namespace
