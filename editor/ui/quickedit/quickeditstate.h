#pragma once

#include "files/editorsession.h"
#include "model/modelfailure.h"
#include "ui/quickedit/editmenu.h"
#include "ui/quickedit/platform.h"
#include "ui/quickedit/quickeditview.h"
#include "ui/quickedit/simulation.h"
#include "ui/quickedit/statustexts.h"
#include "ui/quickedit/typingrules.h"

#include <exception>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace marquis {

// Keys of the line editor that the window passes on when they go down or come up.
enum class EditKey { Other, Tab, Backspace, Enter, PageUp, PageDown, Left, Right, Up, Down, V };

enum class StepDirection { Up, Down };

// The help file beside the program.
std::string helpFileOf(const ProgramFolders& folders);

// The editing state of the Quick Edit window: which message, line and task are shown, how the
// user moves between them, the typing rules of the line editor, the attribute buttons, the
// refresh of every control and of the simulated display, start-up and shut-down. The window
// forwards its events here and does what the view interface asks. An unexpected failure of
// the message procedures ends in ReportFatalError.
class QuickEditState {
public:
    QuickEditState(EditorSession& session, QuickEditView& view, Platform& platform);
    ~QuickEditState();
    QuickEditState(const QuickEditState&) = delete;
    QuickEditState& operator=(const QuickEditState&) = delete;

    // Runs the Edit menu's Paste (Ctrl+V in the line editor); set by the window.
    std::function<void()> onPaste;
    // Empties the syntax-error list kept for the message that is left.
    std::function<void()> clearSyntaxErrors;

    // --- Start-up and shut-down ---------------------------------------------------------
    // The window's load, after the preferences were read into the session: recent files,
    // display geometry from the unit type, font check, a new empty file, keyboard repeat.
    void startUp();
    // Takes the unit type of the preferences: UnitLines, the display rows and the caption of
    // frameDisplay. Also after a file or the Program menu changed the unit type.
    void applyUnitType();
    // Hands the session's recent-files list to the File menu (at start-up and whenever the
    // list changes).
    void showRecentFiles();
    // Shows the message the session now holds from its first line (after File New or Open).
    void messageReplaced();
    // Closing the window: the save-changes question (false when the user cancels), then the
    // preferences are handed to `writePreferences` and the keyboard repeat rate restored.
    bool shutDown(const std::function<void(const Preferences&)>& writePreferences);
    // The common handler of unexpected failures: offers the emergency save, restores the
    // keyboard repeat rate and ends the program without further questions.
    void ReportFatalError(const std::string& procedure);
    // True once the program is ending; every event is then ignored.
    bool ended() const { return m_ended; }

    // --- Message, line and task -----------------------------------------------------------
    // A key typed into txtMsg; true when it is to be inserted. Enter confirms the entry.
    bool txtMsgKeyPress(int key, std::string_view text);
    // The user confirmed the text of txtMsg.
    void SelectMessage(std::string_view text);
    // The focus is leaving txtMsg: false (focus kept) for an invalid entry; a new number is
    // confirmed as with Enter.
    bool leaveTxtMsg(std::string_view text);
    void vsbMsgChange(int value);
    void StepMessage(StepDirection direction);

    void txtLineChange(std::string_view text);
    bool leaveTxtLine(std::string_view text);
    void vsbLineChange(int value);
    void SelectLine(int line);
    // A mouse press on display row 1..4.
    void displayRowPressed(int row);

    void txtTaskChange(std::string_view text);
    bool leaveTxtTask(std::string_view text);
    void vsbTaskChange(int value);
    void SetTask(int task);

    // --- Line editor ----------------------------------------------------------------------
    // A typed character (Windows-1252 code); the key to insert, or none when it is swallowed.
    std::optional<int> KeyPress(int key);
    // True when the key was handled here and the editor must not handle it.
    bool KeyDown(EditKey key, bool control = false);
    void KeyUp(EditKey key);
    // Text arriving in one piece (a paste, a drop; Windows-1252, line ends as "\n") for the
    // editor's selection or caret: the text to insert, or none when the typing rules refuse it
    // (the user is told why).
    std::optional<std::string> InsertText(std::string_view text);
    // The editor's text changed by the editor's own hand (a typed key, Delete, a cut, a drop,
    // its undo): the line is stored and the window refreshed, as after a key release. Changes
    // the logic itself makes while one of its operations runs are stored by that operation.
    void EditorChanged();

    // --- Edit menu (on the focused editor) --------------------------------------------------
    // The menu opens: its items are enabled for the focused control and the status line says
    // where help is.
    void EditMenuOpened(EditTarget focus);
    // The editor's undo; in the line editor the undone text is checked, stored and shown.
    void Undo(EditTarget focus);
    void Cut(EditTarget focus);
    void Copy(EditTarget focus);
    void Paste(EditTarget focus);
    // Asks, then deletes the current message and shows the one before it (after it, from 0).
    void DeleteMessage();

    // --- Attribute buttons ----------------------------------------------------------------
    void ToggleCenter();
    void CycleFont();
    void CycleRelay();
    void ToggleClearScreen();
    void MarkBlink();
    void OpenDialog(DialogKind dialog);

    // --- Refresh --------------------------------------------------------------------------
    void ShowEdit(int line);
    // Script Edit's view of the current message: its script text in txtAdvEdit, cmdAdvEdit's
    // caption, the number boxes, and the Quick Edit controls switched off.
    void showScriptText();
    void UpdateSimulation();
    void tickTimer1();
    void tickTimer2();
    std::string StatusFor(std::string_view control, const StatusContext& context = {});
    // Shows a control's status text (focus or mouse over it).
    void showStatusFor(std::string_view control, const StatusContext& context = {});
    // A control lost the focus to another one: the status line is emptied.
    void focusLeft();

    // --- State ----------------------------------------------------------------------------
    int currentLine() const { return m_session.message().CurrentLine; }
    bool updatingControls() const { return m_updatingControls; }
    const std::string& unitType() const { return m_session.preferences().UnitType; }
    int savedRepeatRate() const { return m_savedRepeatRate; }
    const Simulation& simulation() const { return m_simulation; }

private:
    // Marks the program's own writes into the number boxes and their scroll bars, whose
    // change handlers then do nothing.
    class UpdatingControls {
    public:
        explicit UpdatingControls(QuickEditState& state)
            : m_state(state)
            , m_was(state.m_updatingControls)
        {
            m_state.m_updatingControls = true;
        }
        ~UpdatingControls() { m_state.m_updatingControls = m_was; }
        UpdatingControls(const UpdatingControls&) = delete;
        UpdatingControls& operator=(const UpdatingControls&) = delete;

    private:
        QuickEditState& m_state;
        bool m_was;
    };

    template <typename Body> bool entry(const char* procedure, Body&& body);
    void showEditNow(int line);
    void updateSimulationNow();
    void showSimulation();
    void loadMessage(int n);
    void showLoadedMessage();
    EditMenuItems editMenuFor(EditTarget focus);
    void showMessageControls();
    void showModeControls();
    void selectLineNow(int line, bool moveFocus);
    void setTaskNow(int task);
    void runDialog(DialogKind dialog);
    void storeEditorText();
    void storeAndRefresh();
    void showPosition();
    void focusEditor();
    void restoreRepeatRate();
    bool invalidNumber(std::string_view control, const std::string& text);
    EditLine& line();
    // What the typing rules need to know of the current line and message.
    TypingContext typingContext();

    EditorSession& m_session;
    QuickEditView& m_view;
    Platform& m_platform;
    Simulation m_simulation;
    TimerSetting m_shownTimer1;
    TimerSetting m_shownTimer2;
    bool m_updatingControls = false;
    bool m_ended = false;
    int m_running = 0; // operations of the logic under way (they may change the editor)
    int m_savedRepeatRate = 21; // the rate restored at exit when none could be read
};

// Runs one event of the window. An unexpected failure ends the program through the common
// handler, named after the model procedure that failed, or else after the event.
template <typename Body> bool QuickEditState::entry(const char* procedure, Body&& body)
{
    if (m_ended)
        return false;
    struct Running {
        int& count;
        explicit Running(int& c)
            : count(++c)
        {
        }
        ~Running() { --count; }
        Running(const Running&) = delete;
        Running& operator=(const Running&) = delete;
    } running(m_running);
    try {
        body();
        return !m_ended;
    } catch (const ModelFailure& failure) {
        ReportFatalError(failure.procedure());
    } catch (const std::exception&) {
        ReportFatalError(procedure);
    }
    return false;
}

} // namespace marquis
