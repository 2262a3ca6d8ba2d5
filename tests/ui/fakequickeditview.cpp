#include "ui/fakequickeditview.h"

#include "model/richtext.h"
#include "model/runscanner.h"
#include "ui/quickedit/linelayout.h"

#include <stdexcept>

namespace marquis::testing {
namespace {

std::string joined(std::string_view what, std::string_view control, std::string_view value)
{
    return std::string(what) + " " + std::string(control) + " " + std::string(value);
}

void removeAll(std::string& text, std::string_view piece)
{
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece))
        text.erase(at, piece.size());
}

std::string nameOf(TextEditor e)
{
    return e == TextEditor::Line ? "txtEdit" : "txtAdvEdit";
}

} // namespace

void FakeQuickEditView::setCaption(std::string_view control, std::string_view caption)
{
    if (!failingCaption.empty() && control == failingCaption)
        throw std::runtime_error("caption cannot be set");
    record(joined("caption", control, caption));
    captions[std::string(control)] = caption;
}

void FakeQuickEditView::setText(std::string_view control, std::string_view text)
{
    record(joined("text", control, text));
    texts[std::string(control)] = text;
}

void FakeQuickEditView::setValue(std::string_view control, int value)
{
    record(joined("value", control, std::to_string(value)));
    values[std::string(control)] = value;
}

void FakeQuickEditView::setEnabled(std::string_view control, bool on)
{
    record(joined("enabled", control, on ? "1" : "0"));
    enabled[std::string(control)] = on;
}

void FakeQuickEditView::setVisible(std::string_view control, bool on)
{
    record(joined("visible", control, on ? "1" : "0"));
    visible[std::string(control)] = on;
}

void FakeQuickEditView::setFocus(std::string_view control)
{
    record(joined("focus", control, ""));
    focus = control;
}

void FakeQuickEditView::setRecentFiles(const std::vector<std::string>& paths)
{
    record(joined("recent", "", std::to_string(paths.size())));
    recentFiles = paths;
}

void FakeQuickEditView::setTimer(std::string_view timer, bool running, int intervalMs)
{
    record(joined("timer", timer, running ? std::to_string(intervalMs) : "off"));
    timers[std::string(timer)] = { running, intervalMs };
}

void FakeQuickEditView::undoEditor(TextEditor e)
{
    record(joined("undo", nameOf(e), ""));
    if (onUndo)
        onUndo(e);
}

void FakeQuickEditView::redoEditor(TextEditor e)
{
    record(joined("redo", nameOf(e), ""));
    if (onRedo)
        onRedo(e);
}

void FakeQuickEditView::deleteEditorSelection(TextEditor e)
{
    record(joined("delete selection", nameOf(e), highlighted[e]));
    highlighted[e].clear();
}

void FakeQuickEditView::pasteIntoEditor(TextEditor e)
{
    record(joined("paste", nameOf(e), clipboard));
    if (onPaste)
        onPaste(e);
}

bool FakeQuickEditView::openDialog(DialogKind dialog)
{
    record(joined("dialog", "", std::to_string(static_cast<int>(dialog))));
    dialogs.push_back(dialog);
    return onDialog ? onDialog(dialog) : false;
}

void FakeQuickEditView::endProgram()
{
    record("end");
    ended = true;
}

void FakeQuickEditView::setEditorRichText(std::string_view rich)
{
    editor = EditorState {};
    editor.richText = rich;
    selection.clear();
}

// Like a real editor, the fake keeps one font per run: a fragment put in is read back with
// each run under the font that decides it.
void FakeQuickEditView::replaceSelectedRichText(std::string_view rich)
{
    const std::size_t at = editor.richText.find(selection);
    if (at == std::string::npos || selection.empty())
        return;
    std::string normal;
    for (const RichRun& run : scanRuns(rich).runs)
        normal += fontControlWords(runFont(run.controlWords).value_or(0)) + run.text;
    editor.richText.replace(at, selection.size(), normal);
    selection = normal;
}

// Centring of a one-paragraph line: the mark follows the paragraph spacing.
void FakeQuickEditView::setEditorCentred(bool centred)
{
    std::string& rich = editor.richText;
    removeAll(rich, "\\qc ");
    removeAll(rich, "\\ql ");
    if (!centred)
        return;
    const std::string spacing = "\\sb90\\sa90 ";
    rich.insert(rich.starts_with(spacing) ? spacing.size() : 0, "\\qc ");
}

void FakeQuickEditView::insertBlockBreak()
{
    ++blockBreaks;
    editor.richText += "\\par\r\n";
    ++editor.caretRow;
    editor.caretColumn = 0;
}

void FakeQuickEditView::moveCaretToEnd()
{
    record("caret end");
    const std::vector<std::string> rows = plainRows(editor.richText);
    editor.caretRow = static_cast<int>(rows.size()) - 1;
    editor.caretColumn = static_cast<int>(rows.back().size());
    editor.selectionLength = 0;
}

void FakeQuickEditView::edit(std::string rich)
{
    editor.richText = std::move(rich);
    const std::vector<std::string> rows = plainRows(editor.richText);
    editor.caretRow = static_cast<int>(rows.size()) - 1;
    editor.caretColumn = static_cast<int>(rows.back().size());
    editor.selectionLength = 0;
    editor.selectionStart = editor.selectionEnd = { editor.caretRow, editor.caretColumn };
}

void FakeQuickEditView::select(std::string_view rich, int plainLength)
{
    selection = rich;
    editor.selectionLength = plainLength;
}

void FakeQuickEditView::record(std::string call)
{
    calls.push_back(std::move(call));
    if (onCall)
        onCall(calls.back());
}

int FakeQuickEditView::countCalls(std::string_view prefix) const
{
    int n = 0;
    for (const std::string& call : calls)
        n += call.starts_with(prefix) ? 1 : 0;
    return n;
}

} // namespace marquis::testing
