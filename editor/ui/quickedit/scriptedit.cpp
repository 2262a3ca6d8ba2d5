#include "ui/quickedit/scriptedit.h"

#include "ui/quickedit/scripttext.h"

namespace marquis {
namespace {

// The hourglass for the life of a switch.
class Hourglass {
public:
    explicit Hourglass(UserInterface& ui)
        : m_ui(ui)
    {
        m_ui.busy(true);
    }
    ~Hourglass() { m_ui.busy(false); }
    Hourglass(const Hourglass&) = delete;
    Hourglass& operator=(const Hourglass&) = delete;

private:
    UserInterface& m_ui;
};

} // namespace

ScriptEdit::WindowHeld::WindowHeld(ScriptEdit& edit)
    : m_edit(edit)
{
    m_edit.m_busy = true;
    m_edit.m_view.setEnabled("frmQuick", false);
}

ScriptEdit::WindowHeld::~WindowHeld()
{
    m_edit.m_view.setEnabled("frmQuick", true);
    m_edit.m_busy = false;
}

ScriptEdit::ScriptEdit(EditorSession& session, QuickEditState& state, QuickEditView& view,
    ScriptTextView& scriptView, ProcessPort& processes, ToolRunner& tools)
    : m_session(session)
    , m_state(state)
    , m_view(view)
    , m_scriptView(scriptView)
    , m_check(tools, session.store().files(), session.ui())
    , m_editor(processes, session.store().files(), session.ui())
{
    m_session.acceptScriptText = [this] { return acceptScriptText(); };
    m_session.onFileReset = [this] { m_check.clear(); };
    m_state.clearSyntaxErrors = [this] { m_check.clear(); };
}

ScriptEdit::~ScriptEdit()
{
    m_session.acceptScriptText = nullptr;
    m_session.onFileReset = nullptr;
    m_state.clearSyntaxErrors = nullptr;
}

// Puts the script text into the form it is stored in, or tells the user why it cannot be
// kept; the text shown in txtAdvEdit follows either way.
bool ScriptEdit::acceptScriptText()
{
    CurrentMessage& message = m_session.message();
    ScriptTextDecision decision = checkScriptText(message.MessageScript, message.MessageNumber);
    if (decision.verdict == ScriptTextDecision::Verdict::Empty)
        decision.text = m_session.store().EmptyText();
    if (decision.text != message.MessageScript) {
        message.MessageScript = decision.text;
        if (m_session.scriptEditMode)
            m_view.setText("txtAdvEdit", message.MessageScript);
    }
    if (decision.verdict != ScriptTextDecision::Verdict::Refused)
        return true;
    m_session.ui().message(decision.message, Buttons::Ok, Icon::Exclamation, Answer::Ok);
    m_view.setFocus("txtAdvEdit");
    return false;
}

void ScriptEdit::AdvEditClick()
{
    if (m_busy)
        return;
    if (m_session.preferences().EditorType.empty())
        ToggleScriptEdit();
    else
        EditExternally();
}

void ScriptEdit::ToggleScriptEdit()
{
    const Hourglass hourglass(m_session.ui());
    if (m_session.scriptEditMode)
        leaveScriptEdit();
    else
        enterScriptEdit();
}

// The fields written as the message's text (and read back, as every store that goes on
// editing does); an empty message gets its empty SUB text.
void ScriptEdit::writeScriptFromFields()
{
    m_session.rebuildCurrentMessage();
    CurrentMessage& message = m_session.message();
    if (message.MessageScript.empty())
        message.MessageScript = m_session.store().EmptyText();
}

void ScriptEdit::enterScriptEdit()
{
    writeScriptFromFields();
    m_session.scriptEditMode = true;
    m_state.showScriptText();
    m_view.setFocus("txtAdvEdit");
}

void ScriptEdit::leaveScriptEdit()
{
    if (!acceptScriptText())
        return;
    m_session.scriptEditMode = false;
    m_session.reader().ReadFields(m_session.message());
    showQuickEdit();
}

void ScriptEdit::showQuickEdit()
{
    m_state.ShowEdit(m_session.message().CurrentLine);
    m_state.UpdateSimulation();
    m_view.setFocus("txtEdit");
}

void ScriptEdit::EditExternally()
{
    CurrentMessage& message = m_session.message();
    const bool wasScriptEdit = m_session.scriptEditMode;
    // In Script Edit the text as typed is the message; its fields were never read, so it is
    // not written from them.
    if (wasScriptEdit) {
        if (message.MessageScript.empty())
            message.MessageScript = m_session.store().EmptyText();
    } else {
        writeScriptFromFields();
    }
    FileStore& store = m_session.store();
    if (!store.ScriptFilePath.empty() && store.IsModified() &&
        m_session.ui().message(
            "Would you like to save the current changes before launching the external editor?",
            Buttons::YesNo, Icon::Exclamation, Answer::Yes) == Answer::Yes)
        m_session.Save();

    ExternalEditor::Result result;
    {
        const WindowHeld held(*this);
        result = m_editor.run(m_session.preferences().EditorPath, message.MessageScript);
    }
    if (result.outcome != ExternalEditor::Outcome::Edited) {
        // Nothing came back: the window shows the message as it was, in the mode it was in.
        if (wasScriptEdit) {
            m_state.showScriptText();
            m_view.setFocus("txtAdvEdit");
        } else {
            showQuickEdit();
        }
        return;
    }
    message.MessageScript = std::move(result.text);
    m_session.scriptEditMode = true;
    if (!acceptScriptText()) {
        // The text stays in Script Edit to be corrected there (or in the editor again).
        m_state.showScriptText();
        m_view.setFocus("txtAdvEdit");
        return;
    }
    m_session.scriptEditMode = false;
    m_session.reader().ReadFields(message);
    showQuickEdit();
}

void ScriptEdit::scriptEdited(std::string text)
{
    if (m_session.scriptEditMode)
        m_session.message().MessageScript = std::move(text);
}

void ScriptEdit::scriptKeyReleased()
{
    m_session.ui().status(scriptLengthAfterKey(m_session.message().MessageScript.size()));
}

void ScriptEdit::stepError(bool forward)
{
    const std::string& text = m_session.message().MessageScript;
    const SyntaxCheck::Step step = forward ? m_check.stepForward(text) : m_check.stepBackward(text);
    if (step.caret) {
        std::size_t end = text.find("\r\n", *step.caret);
        if (end == std::string::npos)
            end = text.size();
        m_scriptView.selectScript(*step.caret, end);
    }
    // Stepping back past the first error leaves everything as it is.
    if (forward || step.caret)
        m_session.ui().status(step.status);
}

void ScriptEdit::SyntaxCheckCommand()
{
    if (m_busy)
        return;
    const CurrentMessage& message = m_session.message();
    const Preferences& preferences = m_session.preferences();
    {
        const WindowHeld held(*this);
        m_check.run(message.MessageScript, message.MessageNumber, m_session.scriptEditMode,
            { preferences.UnitType, preferences.ScriptVersion });
    }
    if (m_session.scriptEditMode)
        m_view.setFocus("txtAdvEdit");
}

} // namespace marquis
