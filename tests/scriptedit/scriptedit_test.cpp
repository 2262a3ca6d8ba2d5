// Script Edit in the window and in the external editor: switching, checking the text before it
// is stored, and the faults of the old way (the edit lost on a number change, another message's
// text stored, the work file beside the script, an editor that ends at once).
#include "scriptedit/scripteditfixture.h"
#include "ui/quickedit/scripttext.h"

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>

using namespace marquis;
using namespace marquis::testing;

namespace {

class ScriptEditLogicTest : public ScriptEditTest {
protected:
    bool said(const std::string& part) const
    {
        const std::vector<std::string> texts = ui.messageTexts();
        return std::any_of(texts.begin(), texts.end(),
            [&](const std::string& text) { return text.find(part) != std::string::npos; });
    }

    // Opens a file of messages 5, 6 and 9 and goes to message n.
    std::string openFile(const std::string& name = "show.src", int n = 5)
    {
        const std::string path = openScript(name,
            { textMessage(5, { "Hello" }), textMessage(6, { "Six" }), textMessage(9, { "Nine" }) });
        state->messageReplaced();
        state->SelectMessage(std::to_string(n));
        return path;
    }

    static std::string replaced(std::string text, const std::string& from, const std::string& to)
    {
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos)
            text.replace(at, from.size(), to);
        return text;
    }
};

TEST_F(ScriptEditLogicTest, TheButtonSwitchesToTheScriptTextAndBack)
{
    start();
    type("Hello");
    view.focus.clear();
    edit->AdvEditClick();
    ASSERT_TRUE(session->scriptEditMode);
    EXPECT_NE(message().MessageScript.find("PRINT\"Hello\""), std::string::npos);
    EXPECT_EQ(view.texts["txtAdvEdit"], message().MessageScript);
    EXPECT_EQ(view.captions["cmdAdvEdit"], "&Go to Quick Edit");
    EXPECT_TRUE(view.visible["txtAdvEdit"]);
    EXPECT_TRUE(view.enabled["txtAdvEdit"]);
    for (const char* control : { "cmdBlink", "cmdRelay", "txtEdit", "txtLine", "vsbTask" })
        EXPECT_FALSE(view.enabled[control]) << control;
    EXPECT_FALSE(view.enabled.contains("txtMsg")); // the message number stays usable
    EXPECT_EQ(view.focus, "txtAdvEdit");
    EXPECT_FALSE(ui.isBusy());

    edit->AdvEditClick();
    EXPECT_FALSE(session->scriptEditMode);
    EXPECT_EQ(plainOfLine(1), "Hello");
    EXPECT_FALSE(message().ScriptEditOnly);
    EXPECT_EQ(view.captions["cmdAdvEdit"], "&Go to Script Edit");
    EXPECT_FALSE(view.visible["txtAdvEdit"]);
    EXPECT_TRUE(view.enabled["cmdBlink"]);
    EXPECT_TRUE(view.enabled["txtEdit"]);
    EXPECT_EQ(view.focus, "txtEdit");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ScriptEditLogicTest, StatusTextsOfTheButtonAndTheScriptText)
{
    start();
    EXPECT_EQ(state->StatusFor("cmdAdvEdit"),
        "Click on this button or press Alt-G to open Script Edit window with the current "
        "message.");
    session->preferences().EditorType = "1";
    EXPECT_EQ(state->StatusFor("cmdAdvEdit"),
        "Click on this button or press Alt-G to start previously selected Script Editor with "
        "the current message.");
    session->preferences().EditorType.clear();
    edit->AdvEditClick();
    EXPECT_EQ(state->StatusFor("cmdAdvEdit"),
        "Click on this button or press Alt-G to return to Quick Edit window with the current "
        "message.");
    const std::size_t length = message().MessageScript.size();
    EXPECT_EQ(state->StatusFor("txtAdvEdit"), scriptLengthOnFocus(length));
    edit->scriptEdited(message().MessageScript + "x");
    edit->scriptKeyReleased();
    EXPECT_EQ(ui.currentStatus(), scriptLengthAfterKey(length + 1));
}

TEST_F(ScriptEditLogicTest, EmptyMessageIsShownAsItsEmptySubText)
{
    start();
    edit->AdvEditClick();
    EXPECT_EQ(message().MessageScript, session->store().EmptyText());
    EXPECT_EQ(view.texts["txtAdvEdit"], session->store().EmptyText());
}

// A text changed by hand no longer matches its check value: back in Quick Edit the message
// is one to be edited as text only, and says so instead of taking edits it would drop.
TEST_F(ScriptEditLogicTest, AHandEditedMessageIsReadOnlyInQuickEdit)
{
    start();
    openFile("hand.src");
    edit->AdvEditClick();
    edit->scriptEdited(replaced(message().MessageScript, "Hello", "Howdy"));
    edit->AdvEditClick();
    ASSERT_FALSE(session->scriptEditMode);
    EXPECT_TRUE(message().ScriptEditOnly);
    EXPECT_EQ(view.captions["cmdAdvEdit"], "&Script Edit Only");
    EXPECT_TRUE(view.readOnly["txtEdit"]);
    for (const char* control : { "cmdBlink", "cmdFont", "cmdCenter", "cmdRelay", "cmdClrScreen",
             "cmdVar", "cmdStart", "cmdSend", "cmdScroll", "cmdWait", "txtTask", "vsbTask" })
        EXPECT_FALSE(view.enabled[control]) << control;
    EXPECT_EQ(ui.currentStatus(), scriptEditOnlyStatus(5));
    EXPECT_EQ(state->StatusFor("txtEdit"), scriptEditOnlyStatus(5));
    EXPECT_FALSE(state->KeyPress('a'));

    // It keeps its caption in Script Edit, and the text is saved as typed.
    edit->AdvEditClick();
    EXPECT_EQ(view.captions["cmdAdvEdit"], "&Script Edit Only");
    ASSERT_TRUE(session->Save());
    EXPECT_NE(readWholeFile(workFolder / "hand.src").find("Howdy"), std::string::npos);

    // An ordinary message makes everything editable again.
    state->SelectMessage("6");
    edit->AdvEditClick();
    EXPECT_FALSE(view.readOnly["txtEdit"]);
    EXPECT_TRUE(view.enabled["cmdBlink"]);
    EXPECT_TRUE(view.enabled["txtTask"]);
}

TEST_F(ScriptEditLogicTest, ScriptEditThenANumberChangeKeepsTheEdit)
{
    start();
    const std::string path = openFile();
    edit->AdvEditClick();
    edit->scriptEdited(replaced(message().MessageScript, "Hello", "Hallo"));
    state->SelectMessage("6");
    EXPECT_EQ(message().MessageNumber, 6);
    EXPECT_NE(view.texts["txtAdvEdit"].find("Six"), std::string::npos);
    state->SelectMessage("5");
    EXPECT_NE(view.texts["txtAdvEdit"].find("Hallo"), std::string::npos);

    ASSERT_TRUE(session->Save());
    const std::string saved = readWholeFile(path);
    EXPECT_NE(saved.find("Hallo"), std::string::npos);
    EXPECT_EQ(saved.find("Hello"), std::string::npos);
}

TEST_F(ScriptEditLogicTest, AnotherMessagesTextIsNeitherStoredNorSaved)
{
    start();
    const std::string path = openFile("paste.src", 5);
    edit->AdvEditClick();
    const std::string five = message().MessageScript;
    state->SelectMessage("9");
    edit->scriptEdited(five); // message 5's text pasted over message 9's

    state->SelectMessage("6");
    EXPECT_EQ(message().MessageNumber, 9);
    EXPECT_EQ(view.texts["txtMsg"], "9");
    EXPECT_TRUE(said("The script text of message 9 begins with \"SUB 5(\""));
    EXPECT_EQ(ui.messages.back().icon, Icon::Exclamation);
    EXPECT_EQ(view.focus, "txtAdvEdit");

    const std::size_t told = ui.messages.size();
    const std::size_t dialogs = ui.fileDialogs.size();
    EXPECT_FALSE(session->Save());
    EXPECT_FALSE(session->SaveAs());
    edit->AdvEditClick(); // nor taken back into Quick Edit
    EXPECT_TRUE(session->scriptEditMode);
    EXPECT_EQ(ui.messages.size(), told + 3);
    EXPECT_EQ(ui.fileDialogs.size(), dialogs); // no name asked for a text that cannot go

    // Corrected, it goes.
    edit->scriptEdited(replaced(five, "SUB 5(", "SUB 9("));
    ASSERT_TRUE(session->Save());
    const std::string saved = readWholeFile(path);
    EXPECT_EQ(saved.find("SUB 5("), saved.rfind("SUB 5("));
}

TEST_F(ScriptEditLogicTest, ForeignLineEndsAreStoredInTheirStoredForm)
{
    start();
    openFile();
    edit->AdvEditClick();
    const std::string text = message().MessageScript;
    std::string lf = "\xEF\xBB\xBF";
    for (const char c : text)
        if (c != '\r')
            lf += c;
    edit->scriptEdited(lf);
    state->SelectMessage("6");
    state->SelectMessage("5");
    EXPECT_EQ(message().MessageScript, text);
    EXPECT_FALSE(message().ScriptEditOnly);
}

TEST_F(ScriptEditLogicTest, AnOverlongTextIsToldAndKeptWhole)
{
    start();
    openFile();
    edit->AdvEditClick();
    std::string text = message().MessageScript;
    const std::string line = "    PRINT\"....................\";\r\n";
    std::string body;
    while (body.size() <= MaxScriptBytes)
        body += line;
    text.insert(text.find("END SUB"), body);
    edit->scriptEdited(text);
    state->SelectMessage("6");
    EXPECT_EQ(message().MessageNumber, 5);
    EXPECT_TRUE(said("Max. possible 30000 bytes."));
    EXPECT_EQ(message().MessageScript, text);
}

TEST_F(ScriptEditLogicTest, FileNewAndOpenInScriptEditShowTheirFirstMessageAsText)
{
    start();
    edit->AdvEditClick();
    openFile("first.src", 5);
    EXPECT_TRUE(session->scriptEditMode);
    EXPECT_NE(view.texts["txtAdvEdit"].find("Hello"), std::string::npos);
    EXPECT_EQ(view.captions["cmdAdvEdit"], "&Go to Quick Edit");
    session->FileNew();
    state->messageReplaced();
    EXPECT_EQ(view.texts["txtAdvEdit"], session->store().EmptyText());
    EXPECT_FALSE(view.enabled["cmdBlink"]);
}

// --- The external editor -------------------------------------------------------------------

TEST_F(ScriptEditLogicTest, TheEditorWorksOnAPrivateFileNeverBesideTheScript)
{
    start();
    const std::string path = openFile("Sub.src");
    const std::string before = readWholeFile(path);
    const std::string args = (stubFolder / "args.txt").string();
    useEditor("printf '%s\\n' \"$@\" > " + args + "\nsed -i 's/Hello/Hallo/' \"$1\"");
    editorTakesItsTime();
    std::vector<bool> enabledWhileRunning;
    ui.onPump = [&] { enabledWhileRunning.push_back(view.enabled["frmQuick"]); };

    edit->AdvEditClick();
    EXPECT_EQ(readWholeFile(path), before);
    std::string used = readWholeFile(args);
    ASSERT_FALSE(used.empty());
    used.pop_back();
    const std::filesystem::path file(used);
    EXPECT_EQ(file.filename(), "Sub.src");
    EXPECT_NE(file.parent_path(), workFolder.path());
    EXPECT_FALSE(std::filesystem::exists(file));
    struct stat info { };
    ASSERT_EQ(::stat(file.parent_path().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    EXPECT_FALSE(session->scriptEditMode);
    EXPECT_NE(message().MessageScript.find("Hallo"), std::string::npos);
    EXPECT_TRUE(message().ScriptEditOnly);
    EXPECT_EQ(view.captions["cmdAdvEdit"], "&Script Edit Only");
    EXPECT_TRUE(view.enabled["frmQuick"]);
    EXPECT_FALSE(edit->busy());
    for (const bool enabled : enabledWhileRunning)
        EXPECT_FALSE(enabled);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ScriptEditLogicTest, AByteOrderMarkAndLineFeedsFromTheEditorAreMadeTheStoredForm)
{
    start();
    openFile();
    const std::string original = session->store().loadedText();
    useEditor("printf '\\357\\273\\277' > \"$1.new\"\ntr -d '\\r' < \"$1\" >> \"$1.new\"\n"
              "mv \"$1.new\" \"$1\"");
    editorTakesItsTime();
    edit->AdvEditClick();
    EXPECT_FALSE(session->scriptEditMode);
    EXPECT_EQ(message().MessageScript, original);
    EXPECT_FALSE(message().ScriptEditOnly);
    EXPECT_EQ(plainOfLine(1), "Hello");
}

TEST_F(ScriptEditLogicTest, AnEditorThatChangesTheSubNumberLeavesTheTextInScriptEdit)
{
    start();
    const std::string path = openFile();
    useEditor("sed -i 's/^SUB 5(/SUB 6(/' \"$1\"");
    editorTakesItsTime();
    edit->AdvEditClick();
    EXPECT_TRUE(said("The script text of message 5 begins with \"SUB 6(\""));
    EXPECT_TRUE(session->scriptEditMode);
    EXPECT_EQ(message().MessageNumber, 5);
    EXPECT_TRUE(view.texts["txtAdvEdit"].starts_with("SUB 6("));
    EXPECT_TRUE(view.visible["txtAdvEdit"]);
    EXPECT_TRUE(view.enabled["frmQuick"]);
    // Message 6 is untouched by it.
    state->SelectMessage("6");
    EXPECT_EQ(message().MessageNumber, 5);
    EXPECT_EQ(session->store().MessageState[6], InScript);
}

TEST_F(ScriptEditLogicTest, AnEditorThatEndsAtOnceIsAskedAbout)
{
    start();
    openFile();
    const std::string original = message().MessageScript;
    useEditor("exit 0");
    ui.answers = { Answer::Cancel };
    edit->AdvEditClick();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.starts_with(
        "The external script editor ended at once and the message is unchanged."));
    EXPECT_EQ(ui.messages[0].buttons, Buttons::OkCancel);
    EXPECT_FALSE(session->scriptEditMode);
    EXPECT_FALSE(message().ScriptEditOnly);
    EXPECT_EQ(plainOfLine(1), "Hello");
    EXPECT_FALSE(std::filesystem::exists(edit->externalEditor().workFile()));

    // OK reads the file as it is now.
    ui.answers = { Answer::Ok };
    edit->AdvEditClick();
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_FALSE(session->scriptEditMode);
    EXPECT_EQ(message().MessageScript, original);
}

TEST_F(ScriptEditLogicTest, AnEditorThatCannotStartLeavesTheWindowAsItWas)
{
    start();
    openFile();
    session->preferences().EditorType = "1";
    session->preferences().EditorPath = (stubFolder / "missing-editor").string();
    edit->AdvEditClick();
    EXPECT_EQ(ui.messageTexts(),
        std::vector<std::string> { "The external script editor " +
            (stubFolder / "missing-editor").string() +
            " cannot be found. Please check the External Script Editor in Edit > "
            "Preferences." });
    EXPECT_FALSE(session->scriptEditMode);
    EXPECT_TRUE(view.enabled["frmQuick"]);
    EXPECT_EQ(plainOfLine(1), "Hello");
    EXPECT_FALSE(std::filesystem::exists(edit->externalEditor().workFile()));
}

TEST_F(ScriptEditLogicTest, AFileThatCannotBeReadBackKeepsTheMessage)
{
    start();
    openFile();
    useEditor("rm \"$1\"");
    editorTakesItsTime();
    edit->AdvEditClick();
    EXPECT_EQ(ui.messageTexts(),
        std::vector<std::string> { "Can't read temporary source file " +
            edit->externalEditor().workFile() +
            ". Please chek your External Script Editor setings." });
    EXPECT_FALSE(session->scriptEditMode);
    EXPECT_EQ(plainOfLine(1), "Hello");
    EXPECT_TRUE(view.enabled["frmQuick"]);
}

// From Script Edit the editor gets the text as typed; the fields, which Script Edit never
// read, are not written over it.
TEST_F(ScriptEditLogicTest, TheEditorFromScriptEditGetsTheTypedText)
{
    start();
    openFile();
    edit->AdvEditClick();
    const std::string typed = replaced(message().MessageScript, "Hello", "Typed");
    edit->scriptEdited(typed);
    const std::string copy = (stubFolder / "copy.txt").string();
    useEditor("cp \"$1\" " + copy);
    editorTakesItsTime();
    edit->AdvEditClick();
    EXPECT_EQ(readWholeFile(copy), typed);
    EXPECT_FALSE(session->scriptEditMode);
    EXPECT_NE(message().MessageScript.find("Typed"), std::string::npos);
}

TEST_F(ScriptEditLogicTest, UnsavedChangesAreOfferedToBeSavedFirst)
{
    start();
    const std::string path = openFile();
    type(" there");
    useEditor("true");
    editorTakesItsTime();
    ui.answers = { Answer::Yes };
    edit->AdvEditClick();
    EXPECT_EQ(ui.messages.at(0).text,
        "Would you like to save the current changes before launching the external editor?");
    EXPECT_NE(readWholeFile(path).find("Hello there"), std::string::npos);
    EXPECT_EQ(plainOfLine(1), "Hello there");
}

// --- The syntax check from the window -------------------------------------------------------

TEST_F(ScriptEditLogicTest, SyntaxCheckStepsThroughTheErrorsOfTheText)
{
    start();
    openFile();
    edit->SyntaxCheckCommand(); // only in Script Edit
    EXPECT_TRUE(ui.messages.empty());
    edit->AdvEditClick();
    setToolMode("errors");
    std::vector<bool> enabledWhileRunning;
    ui.onPump = [&] { enabledWhileRunning.push_back(view.enabled["frmQuick"]); };
    edit->SyntaxCheckCommand();
    EXPECT_TRUE(said("Errors encountered."));
    EXPECT_TRUE(view.enabled["frmQuick"]);
    for (const bool enabled : enabledWhileRunning)
        EXPECT_FALSE(enabled);

    // The fake compiler names lines 3, 7 and 9 of the checked file: the header's four lines
    // come first, so line 7 is the message's third line.
    const std::string& text = message().MessageScript;
    edit->stepError(true);
    edit->stepError(true);
    ASSERT_TRUE(scriptView.selection);
    const std::size_t third = lineStart(text, 3);
    EXPECT_EQ(scriptView.selection->first, third);
    EXPECT_EQ(scriptView.selection->second, text.find("\r\n", third));
    EXPECT_EQ(ui.currentStatus(), " missing END SUB");
    edit->stepError(false);
    EXPECT_EQ(ui.currentStatus(), " unknown procedure CALL BLNK");
    const std::size_t statuses = ui.statuses.size();
    edit->stepError(false);
    EXPECT_EQ(ui.statuses.size(), statuses);

    // Another message starts without errors.
    state->SelectMessage("6");
    edit->stepError(true);
    EXPECT_EQ(ui.currentStatus(),
        "There are no errors or Syntax check haven't been done on this message.");
}

} // namespace
