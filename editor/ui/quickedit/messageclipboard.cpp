// The Edit menu: undo, cut, copy and paste on the focused editor, and deleting a message.
#include "ui/quickedit/editmenu.h"
#include "ui/quickedit/quickeditstate.h"

namespace marquis {
namespace {

TextEditor editorOf(EditTarget focus)
{
    return focus == EditTarget::ScriptText ? TextEditor::Script : TextEditor::Line;
}

} // namespace

EditMenuItems QuickEditState::editMenuFor(EditTarget focus)
{
    EditMenuContext context;
    context.focus = focus;
    context.messagesExist = m_session.messagesExist();
    // The line editor shows nothing to edit while the message is kept as script text.
    context.lineLocked = m_session.scriptEditMode || m_session.message().ScriptEditOnly;
    if (focus != EditTarget::Other) {
        const TextEditor editor = editorOf(focus);
        context.hasSelection = m_view.editorHasSelection(editor);
        context.canUndo = m_view.editorCanUndo(editor);
        context.clipboardHasText = m_view.clipboardHasText();
    }
    return editMenuItems(context);
}

void QuickEditState::EditMenuOpened(EditTarget focus)
{
    entry("EditMenuOpened", [&] {
        showStatusFor("mnuEdit");
        const EditMenuItems items = editMenuFor(focus);
        m_view.setEnabled("mnuEditUndo", items.undo);
        m_view.setEnabled("mnuEditCut", items.cut);
        m_view.setEnabled("mnuEditCopy", items.copy);
        m_view.setEnabled("mnuEditPaste", items.paste);
        m_view.setEnabled("mnuEditDelete", items.deleteMessage);
    });
}

// Every command asks the menu's rule again: a shortcut may come while its item would be off.
void QuickEditState::Undo(EditTarget focus)
{
    entry("Undo", [&] {
        if (!editMenuFor(focus).undo)
            return;
        const TextEditor editor = editorOf(focus);
        m_view.undoEditor(editor);
        if (editor == TextEditor::Script)
            return;
        // The text undone to must keep the line's limits as typing does; a line that kept
        // them is never left breaking them.
        const LineKind kind = lineKind(line());
        const std::string broken = lineLimitBreak(m_view.editorState().richText, kind);
        if (!broken.empty() && lineLimitBreak(line().LineText, kind).empty()) {
            m_view.redoEditor(editor);
            m_session.ui().message(broken, Buttons::Ok, Icon::None, Answer::Ok);
            return;
        }
        storeAndRefresh();
    });
}

void QuickEditState::Copy(EditTarget focus)
{
    entry("Copy", [&] {
        // Copy empties the clipboard even with nothing highlighted, as the item it stands for.
        if (focus == EditTarget::Other ||
            (focus == EditTarget::LineEditor &&
                (m_session.scriptEditMode || m_session.message().ScriptEditOnly)))
            return;
        m_view.setClipboardText(m_view.editorSelectedText(editorOf(focus)));
    });
}

void QuickEditState::Cut(EditTarget focus)
{
    entry("Cut", [&] {
        if (!editMenuFor(focus).cut)
            return;
        const TextEditor editor = editorOf(focus);
        m_view.setClipboardText(m_view.editorSelectedText(editor));
        m_view.deleteEditorSelection(editor);
        if (editor == TextEditor::Line)
            storeAndRefresh();
    });
}

void QuickEditState::Paste(EditTarget focus)
{
    entry("Paste", [&] {
        if (!editMenuFor(focus).paste)
            return;
        const TextEditor editor = editorOf(focus);
        if (editor == TextEditor::Script) {
            m_view.pasteIntoEditor(editor);
            return;
        }
        // The editor hands the text to InsertText, which refuses what breaks the rules.
        const std::string before = m_view.editorState().richText;
        m_view.pasteIntoEditor(editor);
        if (m_view.editorState().richText != before)
            storeAndRefresh();
    });
}

void QuickEditState::DeleteMessage()
{
    entry("DeleteMessage", [&] {
        if (!m_session.messagesExist())
            return;
        const int n = m_session.message().MessageNumber;
        if (m_session.ui().message(deleteQuestion(n), Buttons::OkCancel, Icon::Exclamation,
                Answer::Cancel) != Answer::Ok) {
            focusEditor();
            return;
        }
        m_session.DeleteCurrentMessage();
        showLoadedMessage();
    });
}

} // namespace marquis
