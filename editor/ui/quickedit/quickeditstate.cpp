#include "ui/quickedit/quickeditstate.h"

#include "model/richtext.h"
#include "ui/quickedit/captions.h"
#include "ui/quickedit/linelayout.h"
#include "ui/quickedit/scripttext.h"

#include <array>

namespace marquis {
namespace {

// The controls that edit the message's fields; Script Edit switches them off.
constexpr std::array<const char*, 15> QuickEditControls { "cmdVar", "cmdFont", "cmdBlink",
    "cmdCenter", "cmdScroll", "cmdSend", "cmdWait", "cmdStart", "cmdRelay", "cmdClrScreen",
    "txtLine", "vsbLine", "txtTask", "vsbTask", "txtEdit" };

} // namespace

QuickEditState::QuickEditState(EditorSession& session, QuickEditView& view, Platform& platform)
    : m_session(session)
    , m_view(view)
    , m_platform(platform)
{
    // The File menu follows the recent-files list whatever changed it: an open, a save under
    // a new name, a file chosen again from the list.
    m_session.onRecentFilesChanged = [this] { showRecentFiles(); };
}

QuickEditState::~QuickEditState()
{
    m_session.onRecentFilesChanged = nullptr;
}

EditLine& QuickEditState::line()
{
    CurrentMessage& message = m_session.message();
    if (message.CurrentLine < 1 || message.CurrentLine > message.UnitLines)
        message.CurrentLine = 1;
    return message.line(message.CurrentLine);
}

void QuickEditState::focusEditor()
{
    m_view.setFocus(m_session.scriptEditMode ? "txtAdvEdit" : "txtEdit");
}

void QuickEditState::ShowEdit(int line)
{
    entry("ShowEdit", [&] { showEditNow(line); });
}

void QuickEditState::showEditNow(int lineNumber)
{
    guarded("ShowEdit", [&] {
        CurrentMessage& message = m_session.message();
        UserInterface& ui = m_session.ui();
        ui.status("Updating edit controls");
        if (lineNumber >= 1 && lineNumber <= message.UnitLines)
            message.CurrentLine = static_cast<std::int16_t>(lineNumber);
        showMessageControls();

        const EditLine& l = line();
        m_view.setEditorRichText(l.LineText);
        const bool centred = lineKind(l) == LineKind::BlockByBlock ? centringOfBlock(l.LineText, 0)
                                                                   : isCentred(l.LineText);
        m_view.setCaption("cmdCenter", centerCaption(centred));
        const auto hasDialog = [this](DialogKind dialog) { return m_view.hasDialog(dialog); };
        for (const ControlSetting& setting :
            attributeSettings(message, message.CurrentLine, hasDialog)) {
            if (setting.caption)
                m_view.setCaption(setting.control, *setting.caption);
            if (setting.enabled)
                m_view.setEnabled(setting.control, *setting.enabled);
        }
        showPosition();
        showModeControls();
        // A message that can only be edited as text says so instead of looking editable.
        ui.status(message.ScriptEditOnly && !m_session.scriptEditMode
                ? scriptEditOnlyStatus(message.MessageNumber)
                : "");
    });
}

void QuickEditState::showScriptText()
{
    const CurrentMessage& message = m_session.message();
    m_view.setText("txtAdvEdit", message.MessageScript);
    showMessageControls();
    showModeControls();
}

// cmdAdvEdit, txtAdvEdit and the Quick Edit controls as the mode and the message allow: in
// Script Edit the fields are not edited at all; a message that can only be edited as text
// keeps its line read-only (attributeSettings switches its buttons off).
void QuickEditState::showModeControls()
{
    const CurrentMessage& message = m_session.message();
    const bool script = m_session.scriptEditMode;
    m_view.setCaption("cmdAdvEdit", advEditCaption(script, message.ScriptEditOnly));
    m_view.setVisible("txtAdvEdit", script);
    m_view.setEnabled("txtAdvEdit", script);
    m_view.setReadOnly("txtEdit", message.ScriptEditOnly);
    if (script)
        for (const char* control : QuickEditControls)
            m_view.setEnabled(control, false);
    else
        m_view.setEnabled("txtEdit", true);
}

// The message, line and task boxes with their scroll bars.
void QuickEditState::showMessageControls()
{
    const CurrentMessage& message = m_session.message();
    const UpdatingControls updating(*this);
    m_view.setText("txtMsg", std::to_string(message.MessageNumber));
    m_view.setValue("vsbMsg", message.MessageNumber);
    m_view.setText("txtLine", std::to_string(message.CurrentLine));
    m_view.setValue("vsbLine", message.CurrentLine);
    m_view.setText("txtTask", std::to_string(message.task()));
    m_view.setValue("vsbTask", message.task());
}

void QuickEditState::showPosition()
{
    const EditorState editor = m_view.editorState();
    m_view.setCaption("lblAttribute",
        positionLabel(lineKind(line()), m_session.message().CurrentLine, editor.caretRow,
            editor.caretColumn));
}

void QuickEditState::UpdateSimulation()
{
    entry("UpdateSimulation", [&] { updateSimulationNow(); });
}

void QuickEditState::updateSimulationNow()
{
    guarded("UpdateSimulation", [&] {
        const CurrentMessage& message = m_session.message();
        if (message.ScriptEditOnly) {
            m_simulation.UpdateSimulation(message);
            showSimulation();
            return;
        }
        m_session.ui().status("Updating simulation display ");
        m_simulation.UpdateSimulation(message);
        showSimulation();
        m_session.ui().status("");
    });
}

// Hands the rows and the timers to the window; a timer is only touched when it changes, or
// after UpdateSimulation, which restarts it.
void QuickEditState::showSimulation()
{
    for (int r = 1; r <= Simulation::RowCount; ++r) {
        const std::string name = "lblDisplay" + std::to_string(r);
        m_view.setVisible(name, m_simulation.rowVisible(r));
        m_view.setCaption(name, m_simulation.row(r));
    }
    m_shownTimer1 = m_simulation.timer1();
    m_shownTimer2 = m_simulation.timer2();
    m_view.setTimer("Timer1", m_shownTimer1.running, m_shownTimer1.intervalMs);
    m_view.setTimer("Timer2", m_shownTimer2.running, m_shownTimer2.intervalMs);
}

void QuickEditState::tickTimer1()
{
    entry("UpdateSimulation", [&] {
        m_simulation.tickTimer1();
        for (int r = 1; r <= Simulation::RowCount; ++r)
            m_view.setCaption("lblDisplay" + std::to_string(r), m_simulation.row(r));
        if (!(m_simulation.timer1() == m_shownTimer1)) {
            m_shownTimer1 = m_simulation.timer1();
            m_view.setTimer("Timer1", m_shownTimer1.running, m_shownTimer1.intervalMs);
        }
    });
}

void QuickEditState::tickTimer2()
{
    entry("UpdateSimulation", [&] {
        m_simulation.tickTimer2(m_session.message());
        for (int r = 1; r <= Simulation::RowCount; ++r)
            m_view.setCaption("lblDisplay" + std::to_string(r), m_simulation.row(r));
    });
}

std::string QuickEditState::StatusFor(std::string_view control, const StatusContext& context)
{
    const CurrentMessage& message = m_session.message();
    if (control == "cmdAdvEdit")
        return advEditStatus(m_session.scriptEditMode, !m_session.preferences().EditorType.empty());
    if (control == "txtAdvEdit")
        return scriptLengthOnFocus(message.MessageScript.size());
    if (control == "txtEdit" && message.ScriptEditOnly && !m_session.scriptEditMode)
        return scriptEditOnlyStatus(message.MessageNumber);
    StatusContext full = context;
    if (control == "cmdBlink" && !m_session.scriptEditMode)
        full.textHighlighted = m_view.editorState().selectionLength > 0;
    return marquis::StatusFor(control, m_session.message(), full);
}

void QuickEditState::showStatusFor(std::string_view control, const StatusContext& context)
{
    if (!m_ended)
        m_session.ui().status(StatusFor(control, context));
}

void QuickEditState::focusLeft()
{
    if (!m_ended)
        m_session.ui().status("");
}

} // namespace marquis
