#include "dialogtest.h"
#include "support/sessionfixture.h"
#include "ui/dialogs/widgets/dialogs.h"
#include "ui/dialogs/widgets/preferenceswindow.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace marquis;
using namespace marquis::testing;
using marquis::qt::PreferencesWindow;

namespace {

class PreferencesWindowTest : public SessionTest {
protected:
    PreferencesWindowTest()
    {
        Preferences& preferences = session->preferences();
        // OK takes an external editor only when its path names a program.
        const std::filesystem::path editor = workFolder.write("édit", "#!/bin/sh\n");
        std::filesystem::permissions(editor, std::filesystem::perms::owner_all);
        editorPath = editor.string();
        preferences.EditorType = "1";
        preferences.EditorPath = editorPath;
        preferences.PlaceholderChar = "^";
        preferences.StartChar = "[";
        preferences.StopChar = "]";
        window = std::make_unique<PreferencesWindow>(*session);
    }

    QLineEdit* box(const char* name) { return child<QLineEdit>(*window, name); }
    void click(const char* name)
    {
        QTest::mouseClick(child<QPushButton>(*window, name), Qt::LeftButton);
    }

    std::string editorPath; // UTF-8, as the settings keep it
    std::unique_ptr<PreferencesWindow> window;
};

TEST_F(PreferencesWindowTest, ShowsTheSettingsUnderTheirCaptions)
{
    EXPECT_EQ(text(window->windowTitle()), "Preferences");
    EXPECT_EQ(text(child<QGroupBox>(*window, "fraEditor")->title()), "Script Editor");
    EXPECT_EQ(text(child<QGroupBox>(*window, "fraPlaceholder")->title()),
        "Variable placeholder character");
    EXPECT_EQ(text(child<QGroupBox>(*window, "fraDelimiters")->title()), "Control Code Delimiters");
    EXPECT_EQ(text(child<QPushButton>(*window, "cmdHelp")->text()), "&Help");

    EXPECT_TRUE(child<QRadioButton>(*window, "optExternal")->isChecked());
    EXPECT_FALSE(child<QRadioButton>(*window, "optInternal")->isChecked());
    EXPECT_EQ(text(box("txtEditorPath")->text()), editorPath);
    EXPECT_EQ(text(box("txtPlaceholder")->text()), "^");
    EXPECT_EQ(text(box("txtStart")->text()), "[");
    EXPECT_EQ(text(box("txtStop")->text()), "]");
}

TEST_F(PreferencesWindowTest, OkWritesTheControlsBackWithDefaultDelimiters)
{
    QTest::mouseClick(child<QRadioButton>(*window, "optInternal"), Qt::LeftButton);
    box("txtEditorPath")->setText("/bin/sh");
    box("txtStart")->clear();
    box("txtStop")->setText(" ");
    click("cmdOK");

    EXPECT_EQ(window->result(), QDialog::Accepted);
    ASSERT_TRUE(window->applied().has_value());
    EXPECT_TRUE(window->applied()->refreshDisplay);
    const Preferences& preferences = session->preferences();
    EXPECT_EQ(preferences.EditorType, "");
    EXPECT_EQ(preferences.EditorPath, "/bin/sh");
    EXPECT_EQ(preferences.StartChar, "<");
    EXPECT_EQ(preferences.StopChar, ">");
    EXPECT_EQ(preferences.PlaceholderChar, "^");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PreferencesWindowTest, NewPlaceholderIsTakenOnlyWhenTheUserAgrees)
{
    const std::string question = "Current variable placeholder ^ will be replaced with the new "
                                 "one % only in places which have variable attribute assigned "
                                 "already, i.e. appeared in red color.";
    box("txtPlaceholder")->setText("%");
    ui.answers.push_back(Answer::Cancel);
    click("cmdOK");
    ASSERT_EQ(ui.messageTexts(), std::vector<std::string> { question });
    EXPECT_EQ(ui.messages[0].buttons, Buttons::OkCancel);
    EXPECT_EQ(session->preferences().PlaceholderChar, "^");

    PreferencesWindow again(*session);
    child<QLineEdit>(again, "txtPlaceholder")->setText("%");
    ui.answers.push_back(Answer::Ok);
    again.ok();
    EXPECT_EQ(ui.messageTexts().size(), 2u);
    EXPECT_EQ(session->preferences().PlaceholderChar, "%");
    EXPECT_EQ(session->message().PlaceholderChar, "%");
    ASSERT_TRUE(again.applied().has_value());
    EXPECT_TRUE(again.applied()->messageRebuilt);
}

TEST_F(PreferencesWindowTest, AnExternalEditorThatIsNoProgramKeepsTheDialogOpen)
{
    box("txtEditorPath")->setText("/nowhere/edit");
    box("txtStart")->setText("{");
    click("cmdOK");
    EXPECT_EQ(ui.messageTexts(),
        std::vector<std::string> { "The external script editor /nowhere/edit cannot be found." });
    EXPECT_NE(window->result(), QDialog::Accepted);
    EXPECT_FALSE(window->applied().has_value());
    EXPECT_EQ(session->preferences().EditorPath, editorPath);
    EXPECT_EQ(session->preferences().StartChar, "[");
}

TEST_F(PreferencesWindowTest, CancelLeavesTheSettingsAlone)
{
    const Preferences before = session->preferences();
    box("txtEditorPath")->setText("/elsewhere");
    box("txtStart")->clear();
    click("cmdCancel");
    EXPECT_EQ(window->result(), QDialog::Rejected);
    EXPECT_FALSE(window->applied().has_value());
    EXPECT_EQ(session->preferences(), before);
}

TEST_F(PreferencesWindowTest, KeyFiltersRefuseBlockedCharactersTypedOrPasted)
{
    QLineEdit* start = box("txtStart");
    start->clear();
    for (const char key : { 'a', 'Z', '0', ' ', '+', ';', '=' })
        QTest::keyClick(start, key);
    EXPECT_EQ(text(start->text()), "");
    QTest::keyClick(start, '@');
    EXPECT_EQ(text(start->text()), "@");
    QTest::keyClick(start, Qt::Key_Backspace);
    EXPECT_EQ(text(start->text()), "");
    start->insert("ab"); // a paste goes through the same filter
    EXPECT_EQ(text(start->text()), "");
    QTest::keyClick(start, '/');
    QTest::keyClick(start, '*'); // one character only
    EXPECT_EQ(text(start->text()), "/");

    QLineEdit* placeholder = box("txtPlaceholder");
    placeholder->clear();
    for (const char key : { '.', '#', ' ' })
        QTest::keyClick(placeholder, key);
    placeholder->insert(QString::fromUtf8("é"));
    EXPECT_EQ(text(placeholder->text()), "");
    QTest::keyClick(placeholder, 'x');
    EXPECT_EQ(text(placeholder->text()), "x");
}

TEST_F(PreferencesWindowTest, BrowseFillsThePathBoxUnlessCancelled)
{
    ui.files.push_back(std::filesystem::path("/usr/local/bin/kate"));
    click("cmdBrowse");
    ASSERT_EQ(ui.fileDialogs.size(), 1u);
    EXPECT_EQ(ui.fileDialogs[0].title, "Browse");
    EXPECT_EQ(text(box("txtEditorPath")->text()), "/usr/local/bin/kate");
    click("cmdBrowse");
    EXPECT_EQ(text(box("txtEditorPath")->text()), "/usr/local/bin/kate");
}

TEST_F(PreferencesWindowTest, HelpAsksForThePreferencesSectionAndKeepsTheDialogOpen)
{
    std::vector<std::string> asked;
    whenModalOpens([](QWidget& dialog) {
        QTest::mouseClick(child<QPushButton>(dialog, "cmdHelp"), Qt::LeftButton);
        EXPECT_TRUE(dialog.isVisible());
        QTest::mouseClick(child<QPushButton>(dialog, "cmdCancel"), Qt::LeftButton);
    });
    qt::showPreferencesDialog(
        nullptr, *session, [&](const std::string& anchor) { asked.push_back(anchor); });
    EXPECT_EQ(asked, std::vector<std::string> { "preferences" });
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PreferencesWindowTest, ShowFunctionReturnsWhatOkApplied)
{
    whenModalOpens([](QWidget& dialog) {
        child<QLineEdit>(dialog, "txtStop")->setText(")");
        QTest::mouseClick(child<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
    });
    EXPECT_TRUE(qt::showPreferencesDialog(nullptr, *session).has_value());
    EXPECT_EQ(session->preferences().StopChar, ")");

    whenModalOpens([](QWidget& dialog) {
        QTest::mouseClick(child<QPushButton>(dialog, "cmdCancel"), Qt::LeftButton);
    });
    EXPECT_FALSE(qt::showPreferencesDialog(nullptr, *session).has_value());
}

} // namespace
