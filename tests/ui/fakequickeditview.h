#pragma once

#include "ui/quickedit/platform.h"
#include "ui/quickedit/quickeditview.h"
#include "ui/quickedit/simulation.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace marquis::testing {

// Records what the logic asks of the window and keeps a simple line editor: the test sets its
// rich text, caret and selection, and the fake applies the logic's edits to them.
class FakeQuickEditView : public QuickEditView {
public:
    std::vector<std::string> calls; // every call, as "what control value"
    std::map<std::string, std::string, std::less<>> captions;
    std::map<std::string, std::string, std::less<>> texts;
    std::map<std::string, int, std::less<>> values;
    std::map<std::string, bool, std::less<>> enabled;
    std::map<std::string, bool, std::less<>> visible;
    std::map<std::string, bool, std::less<>> readOnly;
    std::map<std::string, TimerSetting, std::less<>> timers;
    std::string focus;
    std::vector<std::string> recentFiles;
    std::vector<DialogKind> dialogs;
    std::set<DialogKind> missingDialogs; // dialogs the window cannot show yet
    std::function<bool(DialogKind)> onDialog; // the "user" in the dialog; cancels when unset
    bool ended = false;
    std::string failingCaption; // a control whose caption cannot be set (an unexpected error)
    std::function<void(const std::string&)> onCall; // sees every recorded call as it happens

    EditorState editor;
    std::string selection; // the highlighted rich text, found in editor.richText
    int blockBreaks = 0;
    bool typingPlain = false;
    int scrolledRows = 0;
    std::optional<int> shownRow;

    void setCaption(std::string_view control, std::string_view caption) override;
    void setText(std::string_view control, std::string_view text) override;
    void setValue(std::string_view control, int value) override;
    void setEnabled(std::string_view control, bool on) override;
    void setVisible(std::string_view control, bool on) override;
    void setReadOnly(std::string_view control, bool on) override
    {
        readOnly[std::string(control)] = on;
    }
    void setFocus(std::string_view control) override;
    void setRecentFiles(const std::vector<std::string>& paths) override;
    void setTimer(std::string_view timer, bool running, int intervalMs) override;
    bool hasDialog(DialogKind dialog) override { return !missingDialogs.contains(dialog); }
    bool openDialog(DialogKind dialog) override;
    void endProgram() override;

    EditorState editorState() override { return editor; }
    void setEditorRichText(std::string_view rich) override;
    void widenSelectionToWholeVariables() override { record("widen selection"); }
    std::string selectedRichText() override { return selection; }
    void replaceSelectedRichText(std::string_view rich) override;
    void setEditorCentred(bool centred) override;
    void setTypingPlain() override { typingPlain = true; }
    void insertBlockBreak() override;
    void moveCaretToEnd() override;
    void scrollEditorRows(int rows) override { scrolledRows += rows; }
    void showEditorRow(int row) override { shownRow = row; }

    // The Edit menu's side of the two editors: what each has highlighted (as plain text),
    // which can undo, and what their undo, redo and paste do to the line editor's text.
    std::map<TextEditor, std::string> highlighted;
    std::set<TextEditor> undoable;
    std::function<void(TextEditor)> onUndo;
    std::function<void(TextEditor)> onRedo;
    std::function<void(TextEditor)> onPaste;
    std::string clipboard;

    bool editorHasSelection(TextEditor e) override { return !highlighted[e].empty(); }
    bool editorCanUndo(TextEditor e) override { return undoable.contains(e); }
    void undoEditor(TextEditor e) override;
    void redoEditor(TextEditor e) override;
    std::string editorSelectedText(TextEditor e) override { return highlighted[e]; }
    void deleteEditorSelection(TextEditor e) override;
    void pasteIntoEditor(TextEditor e) override;
    bool clipboardHasText() override { return !clipboard.empty(); }
    void setClipboardText(std::string_view text) override { clipboard = text; }

    // Puts a line into the editor with the caret at its end.
    void edit(std::string rich);
    // Highlights a part of the editor's rich text.
    void select(std::string_view rich, int plainLength);
    // Calls that mention a control.
    int countCalls(std::string_view prefix) const;

private:
    void record(std::string call);
};

// The system settings as a test sets them up; records the repeat rates set.
class FakePlatform : public Platform {
public:
    bool fontAvailable = true;
    std::optional<int> repeatRate;
    std::vector<int> ratesSet;

    bool displayFontAvailable() override { return fontAvailable; }
    std::optional<int> keyboardRepeatRate() override { return repeatRate; }
    bool setKeyboardRepeatRate(int rate) override
    {
        ratesSet.push_back(rate);
        return repeatRate.has_value();
    }
};

} // namespace marquis::testing
