// The Edit menu without widgets: which items it offers for the focused control, what its
// commands do to the line, the clipboard and the store, and deleting messages for good.
#include "ui/quickedit/editmenu.h"
#include "ui/quickeditfixture.h"

using namespace marquis;
using namespace marquis::testing;

namespace {

TEST(EditMenuRule, ItemsFollowTheFocusedEditor)
{
    EditMenuContext all;
    all.hasSelection = all.clipboardHasText = all.canUndo = all.messagesExist = true;
    for (const EditTarget editor : { EditTarget::LineEditor, EditTarget::ScriptText }) {
        EditMenuContext context = all;
        context.focus = editor;
        EXPECT_EQ(editMenuItems(context), (EditMenuItems { true, true, true, true, true }));
        context.hasSelection = context.canUndo = context.messagesExist = false;
        EXPECT_EQ(editMenuItems(context), (EditMenuItems { false, false, false, true, false }));
        context.clipboardHasText = false;
        EXPECT_EQ(editMenuItems(context), EditMenuItems {});
    }
    // The number boxes and the buttons have no clipboard items; deleting still works.
    EXPECT_EQ(editMenuItems(all), (EditMenuItems { false, false, false, false, true }));

    // A hand-edited message is changed in Script Edit only.
    all.lineLocked = true;
    all.focus = EditTarget::LineEditor;
    EXPECT_EQ(editMenuItems(all), (EditMenuItems { false, false, false, false, true }));
    all.focus = EditTarget::ScriptText;
    EXPECT_EQ(editMenuItems(all), (EditMenuItems { true, true, true, true, true }));
}

TEST(EditMenuRule, LimitsOfEachLineKind)
{
    const std::string plain = "\\sb90\\sa90 \\f0 \\cf0 ";
    EXPECT_EQ(lineLimitBreak(plain + std::string(20, 'a'), LineKind::Fixed), "");
    EXPECT_NE(lineLimitBreak(plain + std::string(21, 'a'), LineKind::Fixed), "");
    EXPECT_EQ(lineLimitBreak(plain + std::string(155, 'a'), LineKind::Continuous), "");
    EXPECT_EQ(lineLimitBreak(plain + std::string(156, 'a'), LineKind::Continuous),
        "You cant have more than 155 characters on continuous scrolling line");
    const std::string blocks = plain + std::string(20, 'a') + "\\par\r\n" + std::string(20, 'b');
    EXPECT_EQ(lineLimitBreak(blocks, LineKind::BlockByBlock), "");
    EXPECT_EQ(lineLimitBreak(blocks + "c", LineKind::BlockByBlock),
        "This text is too long to fit in 20 characters block. You may want to create a another "
        "block.");
    EXPECT_EQ(deleteQuestion(5), "Delete message  5 ?");
}

class EditMenuTest : public QuickEditTest {
protected:
    void SetUp() override { start(); }

    void line(const std::string& text)
    {
        message().line(1).LineText = plain(text);
        view.edit(plain(text));
    }
    bool enabled(const char* item) { return view.enabled[item]; }
    // The editor's paste as the window does it: the clipboard's text through InsertText,
    // replacing `replaced` characters before the caret.
    void pasteReplacing(int replaced)
    {
        view.onPaste = [this, replaced](TextEditor) {
            const std::optional<std::string> text = state->InsertText(view.clipboard);
            if (!text)
                return;
            std::string shown = GetText(view.editor.richText);
            shown.replace(shown.size() - static_cast<std::size_t>(replaced),
                static_cast<std::size_t>(replaced), *text);
            view.edit(plain(shown));
        };
    }
    void highlightEnd(int length)
    {
        const int end = view.editor.caretColumn;
        view.editor.selectionStart = { 0, end - length };
        view.editor.selectionEnd = { 0, end };
        view.editor.selectionLength = length;
        view.highlighted[TextEditor::Line] = std::string(static_cast<std::size_t>(length), 'x');
    }
};

TEST_F(EditMenuTest, OpeningTheMenuSetsItsItemsForTheFocusedControl)
{
    view.undoable.insert(TextEditor::Line);
    view.highlighted[TextEditor::Line] = "AB";
    view.clipboard = "text";
    state->EditMenuOpened(EditTarget::Other); // txtMsg has the focus
    EXPECT_EQ(ui.currentStatus(), "Press F1 in order to get help on commands from Edit Menu.");
    for (const char* item : { "mnuEditUndo", "mnuEditCut", "mnuEditCopy", "mnuEditPaste" })
        EXPECT_FALSE(enabled(item)) << item;
    // A new file with nothing written has no message to delete.
    EXPECT_FALSE(enabled("mnuEditDelete"));

    state->EditMenuOpened(EditTarget::LineEditor);
    for (const char* item : { "mnuEditUndo", "mnuEditCut", "mnuEditCopy", "mnuEditPaste" })
        EXPECT_TRUE(enabled(item)) << item;
    // A message being written counts before it was ever stored.
    message().line(2).LineText = plain("NEW");
    state->EditMenuOpened(EditTarget::LineEditor);
    EXPECT_TRUE(enabled("mnuEditDelete"));

    // The commands ask again: with the focus elsewhere a shortcut does nothing.
    state->Cut(EditTarget::Other);
    state->Undo(EditTarget::Other);
    state->Paste(EditTarget::Other);
    EXPECT_EQ(
        view.countCalls("delete selection") + view.countCalls("undo") + view.countCalls("paste"),
        0);
    EXPECT_EQ(view.clipboard, "text");
}

TEST_F(EditMenuTest, CopyAndCutPutPlainTextOnTheClipboard)
{
    view.clipboard = "old";
    state->Copy(EditTarget::LineEditor); // nothing highlighted
    EXPECT_EQ(view.clipboard, "");

    line("HELLO");
    view.highlighted[TextEditor::Line] = "LLO";
    state->Copy(EditTarget::LineEditor);
    EXPECT_EQ(view.clipboard, "LLO");

    // The cut line is stored from what the editor holds afterwards, and the display follows.
    view.clipboard.clear();
    view.onCall = [this](const std::string& call) {
        if (call.starts_with("delete selection"))
            view.edit(plain("HE"));
    };
    state->Cut(EditTarget::LineEditor);
    EXPECT_EQ(view.clipboard, "LLO");
    EXPECT_EQ(plainOfLine(1), "HE");
    EXPECT_EQ(ui.currentStatus(), "Length of current line is  2 characters.");

    // The script text is cut without touching the line.
    view.onCall = nullptr;
    view.highlighted[TextEditor::Script] = "SUB 1(";
    state->Cut(EditTarget::ScriptText);
    EXPECT_EQ(view.clipboard, "SUB 1(");
    EXPECT_EQ(view.countCalls("delete selection txtAdvEdit"), 1);
    EXPECT_EQ(plainOfLine(1), "HE");
}

TEST_F(EditMenuTest, PasteKeepsTheLimitsAndStoresWhatWentIn)
{
    line("ABCDEFGHIJKLMNO"); // 15, the last 3 highlighted
    highlightEnd(3);
    pasteReplacing(3);
    view.clipboard = "123456789";
    state->Paste(EditTarget::LineEditor);
    EXPECT_EQ(plainOfLine(1), "ABCDEFGHIJKLMNO");
    EXPECT_EQ(ui.messages.back().text,
        "The text to be pasted is too long to fit in 20 characters line. You may want to create "
        "a continuous scrolling message.");
    view.clipboard = "12345678";
    state->Paste(EditTarget::LineEditor);
    EXPECT_EQ(plainOfLine(1), "ABCDEFGHIJKL12345678");

    message().line(1).LineScroll = "25,0";
    line(std::string(150, 'c'));
    highlightEnd(2);
    pasteReplacing(2);
    view.clipboard = "12345678"; // 150 - 2 + 8 = 156
    state->Paste(EditTarget::LineEditor);
    EXPECT_EQ(ui.messages.back().text,
        "You cant have more than 155 characters on continuous scrolling line");
    EXPECT_EQ(plainOfLine(1), std::string(150, 'c'));
    view.clipboard = "1234567";
    state->Paste(EditTarget::LineEditor);
    EXPECT_EQ(plainOfLine(1), std::string(148, 'c') + "1234567");

    // An empty clipboard pastes nothing.
    view.clipboard.clear();
    state->Paste(EditTarget::LineEditor);
    EXPECT_EQ(view.countCalls("paste"), 4);
}

TEST_F(EditMenuTest, UndoStoresTheUndoneTextWithinTheLimits)
{
    line("HELLO");
    view.undoable.insert(TextEditor::Line);
    view.onUndo = [this](TextEditor) { view.edit(plain("HELLO WORLD")); };
    state->Undo(EditTarget::LineEditor);
    EXPECT_EQ(plainOfLine(1), "HELLO WORLD");
    EXPECT_EQ(ui.currentStatus(), "Length of current line is  11 characters.");

    // An undo that would leave a fixed line over 20 characters is taken back.
    view.onUndo = [this](TextEditor) { view.edit(plain(std::string(25, 'u'))); };
    view.onRedo = [this](TextEditor) { view.edit(plain("HELLO WORLD")); };
    state->Undo(EditTarget::LineEditor);
    EXPECT_EQ(view.countCalls("redo txtEdit"), 1);
    EXPECT_EQ(plainOfLine(1), "HELLO WORLD");
    EXPECT_EQ(ui.messages.back().text,
        "The text is too long to fit in 20 characters line. You may want to create a continuous "
        "scrolling message.");

    // Nothing to undo: the editor is not asked.
    view.undoable.clear();
    state->Undo(EditTarget::LineEditor);
    EXPECT_EQ(view.countCalls("undo txtEdit"), 2);
}

TEST_F(EditMenuTest, HandEditedMessageOffersNoClipboardOnTheLine)
{
    message().ScriptEditOnly = true;
    message().MessageScript = "SUB 0( ) ' TASK=0 hand edited\r\nEND SUB\r\n";
    view.highlighted[TextEditor::Line] = "X";
    view.clipboard = "old";
    state->EditMenuOpened(EditTarget::LineEditor);
    EXPECT_FALSE(enabled("mnuEditCut"));
    EXPECT_FALSE(enabled("mnuEditCopy"));
    EXPECT_TRUE(enabled("mnuEditDelete"));
    state->Copy(EditTarget::LineEditor);
    EXPECT_EQ(view.clipboard, "old");
}

class DeleteMessageTest : public QuickEditTest {
protected:
    void SetUp() override
    {
        start();
        path = openScript("five.src",
            { textMessage(2, { "TWO" }), textMessage(5, { "FIVE" }, 3),
                textMessage(9, { "NINE" }) });
        state->messageReplaced();
    }

    // Deletes message n, the user answering `answer`.
    void deleteMessage(int n, Answer answer = Answer::Ok)
    {
        if (message().MessageNumber != n)
            state->SelectMessage(std::to_string(n));
        ui.answers.push_back(answer);
        state->DeleteMessage();
    }

    // Saves, opens the file again and lists the messages it holds.
    std::vector<int> savedMessages()
    {
        EXPECT_TRUE(session->Save());
        ui.files.push_back(path);
        EXPECT_TRUE(session->FileOpen());
        std::vector<int> numbers;
        for (int n = 0; n < MessageCount; ++n)
            if (session->store().MessageState[static_cast<std::size_t>(n)] != Absent)
                numbers.push_back(n);
        return numbers;
    }

    std::string path;
};

TEST_F(DeleteMessageTest, CancelKeepsTheMessage)
{
    deleteMessage(5, Answer::Cancel);
    const FakeUserInterface::Message& asked = ui.messages.back();
    EXPECT_EQ(asked.text, "Delete message  5 ?");
    EXPECT_EQ(asked.buttons, Buttons::OkCancel);
    EXPECT_EQ(asked.icon, Icon::Exclamation);
    EXPECT_EQ(asked.defaultAnswer, Answer::Cancel);
    EXPECT_EQ(message().MessageNumber, 5);
    EXPECT_EQ(plainOfLine(1), "FIVE");
    EXPECT_FALSE(session->store().IsModified());
}

TEST_F(DeleteMessageTest, MessagesOfTheFileTheStoreAndNewOnesStayDeletedAfterSaving)
{
    // Message 5 from the file, message 9 changed into the store, message 7 new and unstored.
    deleteMessage(5);
    EXPECT_EQ(message().MessageNumber, 2); // the one before it
    EXPECT_EQ(view.texts["txtMsg"], "2");
    EXPECT_EQ(plainOfLine(1), "TWO");
    EXPECT_EQ(message().MessageTask[5], 0);
    EXPECT_TRUE(session->store().IsModified());

    state->SelectMessage("9");
    message().line(1).LineText = plain("NINE CHANGED");
    state->SelectMessage("2");
    ASSERT_EQ(session->store().MessageState[9], InStore);
    deleteMessage(9);
    EXPECT_EQ(message().MessageNumber, 2);

    state->SelectMessage("7");
    message().line(1).LineText = plain("SEVEN");
    deleteMessage(7);
    EXPECT_EQ(message().MessageNumber, 2);
    EXPECT_EQ(savedMessages(), std::vector<int> { 2 });
    EXPECT_EQ(linesOf(2)[0], "TWO");
}

TEST_F(DeleteMessageTest, MessageZeroMovesUpAndScriptEditShowsTheNextScript)
{
    state->SelectMessage("0");
    message().line(1).LineText = plain("ZERO");
    state->SelectMessage("2");
    session->scriptEditMode = true;
    deleteMessage(0);
    // Message 0 goes up to the next existing message, shown as script text.
    EXPECT_EQ(message().MessageNumber, 2);
    EXPECT_NE(view.texts["txtAdvEdit"].find("PRINT\"TWO\""), std::string::npos);
    EXPECT_EQ(view.focus, "txtAdvEdit");
    deleteMessage(9);
    EXPECT_EQ(message().MessageNumber, 5);
    EXPECT_NE(view.texts["txtAdvEdit"].find("PRINT\"FIVE\""), std::string::npos);
    EXPECT_EQ(savedMessages(), (std::vector<int> { 2, 5 }));
}

} // namespace
