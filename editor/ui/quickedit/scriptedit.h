#pragma once

#include "build/syntaxcheck.h"
#include "build/toolrunner.h"
#include "files/editorsession.h"
#include "ports/processport.h"
#include "ui/quickedit/externaleditor.h"
#include "ui/quickedit/quickeditstate.h"
#include "ui/quickedit/quickeditview.h"

#include <cstddef>
#include <string>

namespace marquis {

// What Script Edit needs of the window besides the Quick Edit view.
class ScriptTextView {
public:
    virtual ~ScriptTextView() = default;
    // Highlights bytes [start, end) of txtAdvEdit's text (the message's script text, lines
    // ending in CR LF) and scrolls it into view.
    virtual void selectScript(std::size_t start, std::size_t end) = 0;
};

// Script Edit: the message edited as its script text, in the window (txtAdvEdit) or in the
// external editor of the preferences, with the syntax check of the text and the stepping
// through its errors. A text is checked before it is stored, saved or taken back into Quick
// Edit (checkScriptText); one that cannot be kept stays in Script Edit.
class ScriptEdit {
public:
    ScriptEdit(EditorSession& session, QuickEditState& state, QuickEditView& view,
        ScriptTextView& scriptView, ProcessPort& processes, ToolRunner& tools);
    ~ScriptEdit();
    ScriptEdit(const ScriptEdit&) = delete;
    ScriptEdit& operator=(const ScriptEdit&) = delete;

    // cmdAdvEdit: the external editor when the preferences name one, else Script Edit in the
    // window.
    void AdvEditClick();
    void ToggleScriptEdit();
    void EditExternally();

    // txtAdvEdit's text as the user changed it (lines ending in CR LF).
    void scriptEdited(std::string text);
    void scriptKeyReleased();
    // Ctrl-Plus (forward) and Ctrl-Minus in txtAdvEdit.
    void stepError(bool forward);

    // Program > Syntax check.
    void SyntaxCheckCommand();

    // An outside program (the editor, the compiler) works for the window; the window takes no
    // input and does not close meanwhile.
    bool busy() const { return m_busy; }

    SyntaxCheck& syntaxCheck() { return m_check; }
    ExternalEditor& externalEditor() { return m_editor; }

private:
    // Holds the window disabled for the life of an outside program's run.
    class WindowHeld {
    public:
        explicit WindowHeld(ScriptEdit& edit);
        ~WindowHeld();
        WindowHeld(const WindowHeld&) = delete;
        WindowHeld& operator=(const WindowHeld&) = delete;

    private:
        ScriptEdit& m_edit;
    };

    bool acceptScriptText();
    void writeScriptFromFields();
    void enterScriptEdit();
    void leaveScriptEdit();
    void showQuickEdit();

    EditorSession& m_session;
    QuickEditState& m_state;
    QuickEditView& m_view;
    ScriptTextView& m_scriptView;
    SyntaxCheck m_check;
    ExternalEditor m_editor;
    bool m_busy = false;
};

} // namespace marquis
