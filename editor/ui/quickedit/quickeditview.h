#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace marquis {

// A place in the line editor: its row (0 for the first) and the characters before it on that
// row.
struct EditorPlace {
    int row = 0;
    int column = 0;
};

// The line editor txtEdit as the logic sees it. Positions count visible characters as GetText
// does, row by row: a row is one block of a block line (a fixed or continuous line has one).
struct EditorState {
    std::string richText; // the whole line in the LineText encoding
    int caretRow = 0; // the editor's row of the caret, 0 for the first
    int caretColumn = 0; // characters before the caret on its row
    int selectionLength = 0; // characters highlighted (0: none)
    bool overtype = false; // a typed key replaces the character after the caret
    // Where the highlighted part begins and where it ends (after its last character); both
    // stand at the caret when nothing is highlighted.
    EditorPlace selectionStart;
    EditorPlace selectionEnd;
};

// The dialogs the main window opens modally.
enum class DialogKind {
    Blink,
    HorizontalScroll,
    VerticalScroll,
    Variables,
    StartMessage,
    SendMessage,
    LongMessage
};

// The two text editors of the window: the line editor txtEdit and the script text txtAdvEdit.
enum class TextEditor { Line, Script };

// Thrown by QuickEditView::openDialog when the dialog's window cannot be built at all.
class DialogLoadFailure : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// What the Quick Edit window does for its logic. Controls are named as the window names them
// ("txtMsg", "cmdBlink", "lblDisplay2", "frameDisplay"...); the status line, message boxes and
// the busy pointer go through the user port. Implemented by the Qt window and by a recording
// fake in tests.
class QuickEditView {
public:
    virtual ~QuickEditView() = default;

    // Buttons, labels and frames.
    virtual void setCaption(std::string_view control, std::string_view caption) = 0;
    // Text boxes (txtMsg, txtLine, txtTask, txtAdvEdit).
    virtual void setText(std::string_view control, std::string_view text) = 0;
    // Scroll bars (vsbMsg, vsbLine, vsbTask).
    virtual void setValue(std::string_view control, int value) = 0;
    // Also "frmQuick", the whole window: disabled while an outside program works for it, it
    // still paints and shows messages.
    virtual void setEnabled(std::string_view control, bool enabled) = 0;
    virtual void setVisible(std::string_view control, bool visible) = 0;
    // Text boxes that show their text but take no typing (txtEdit).
    virtual void setReadOnly(std::string_view control, bool readOnly) = 0;
    virtual void setFocus(std::string_view control) = 0;

    // The File menu's list of recent files, most recent first.
    virtual void setRecentFiles(const std::vector<std::string>& paths) = 0;

    // Starts ("Timer1" scrolling, "Timer2" blinking) or stops a periodic timer.
    virtual void setTimer(std::string_view timer, bool running, int intervalMs) = 0;

    // True when the window can show the dialog. The buttons that do nothing but open a dialog
    // stay disabled while it cannot.
    virtual bool hasDialog(DialogKind dialog) = 0;
    // Shows a dialog modally; true when the user confirmed it (it may then have changed the
    // message, and the window is refreshed). Throws DialogLoadFailure when it cannot be built.
    virtual bool openDialog(DialogKind dialog) = 0;

    // Closes the window and ends the program at once (the fatal-error path); the help
    // window closes with it.
    virtual void endProgram() = 0;

    // The line editor txtEdit.
    virtual EditorState editorState() = 0;
    // Loads a line; the caret goes to the start.
    virtual void setEditorRichText(std::string_view rich) = 0;
    // Widens the highlight so that it cuts no variable run: a variable is one field, which
    // blinks or stays steady as a whole.
    virtual void widenSelectionToWholeVariables() = 0;
    // The highlighted part in the LineText encoding, each run with its control words.
    virtual std::string selectedRichText() = 0;
    // Replaces the highlighted part and keeps it highlighted.
    virtual void replaceSelectedRichText(std::string_view rich) = 0;
    // Centres or left-aligns the paragraph (block) holding the caret.
    virtual void setEditorCentred(bool centred) = 0;
    // The next typed character gets the plain font and colour.
    virtual void setTypingPlain() = 0;
    // Starts a new block at the caret (the Enter of a block line).
    virtual void insertBlockBreak() = 0;
    virtual void moveCaretToEnd() = 0;
    // Scrolls the editor's view by whole rows (blocks); negative is upwards.
    virtual void scrollEditorRows(int rows) = 0;
    // Scrolls the editor so that a row is in view.
    virtual void showEditorRow(int row) = 0;

    // The Edit menu's side of both editors and the clipboard, whose transfers are plain text.
    virtual bool editorHasSelection(TextEditor editor) = 0;
    virtual bool editorCanUndo(TextEditor editor) = 0;
    // The editor's own undo and redo of its last edit.
    virtual void undoEditor(TextEditor editor) = 0;
    virtual void redoEditor(TextEditor editor) = 0;
    // The highlighted text as plain text ("" when nothing is highlighted).
    virtual std::string editorSelectedText(TextEditor editor) = 0;
    // Takes the highlighted text out.
    virtual void deleteEditorSelection(TextEditor editor) = 0;
    // The editor's own paste of the clipboard's text over its selection. The line editor hands
    // the text to QuickEditState::InsertText first, as it does every text arriving in one piece.
    virtual void pasteIntoEditor(TextEditor editor) = 0;
    virtual bool clipboardHasText() = 0;
    // Empties the clipboard and puts the text there (nothing for "").
    virtual void setClipboardText(std::string_view text) = 0;
};

} // namespace marquis
