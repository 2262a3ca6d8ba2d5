// Start-up, shut-down and the fatal-error path of the main window.
#include "ui/quickedit/quickeditstate.h"

namespace marquis {
namespace {

// Start-up passes over a failing step and goes on with the next one.
template <typename Step> void passOver(Step&& step)
{
    try {
        step();
    } catch (const std::exception&) {
    }
}

} // namespace

std::string helpFileOf(const ProgramFolders& folders)
{
    return folders.executable + "Marquis5300.hlp";
}

void QuickEditState::startUp()
{
    if (m_ended)
        return;
    passOver([&] {
        const Preferences& preferences = m_session.preferences();
        m_view.setRecentFiles(std::vector<std::string>(preferences.RecentFiles.begin(),
            preferences.RecentFiles.begin() +
                static_cast<std::ptrdiff_t>(usedRecentFiles(preferences))));
    });
    passOver([&] { applyUnitType(); });
    if (!m_platform.displayFontAvailable()) {
        m_session.ui().message("Can't find font 'Courier 10,12,15 (VGA res)'. Normal operation "
                               "not possible. You need to install it from original Windows\u00AE "
                               "disks or copy file COURE.FON to yur Windows\\System directory.",
            Buttons::Ok, Icon::Exclamation, Answer::Ok);
        m_ended = true;
        m_view.endProgram();
        return;
    }
    passOver([&] {
        m_session.FileNew();
        m_session.message().CurrentLine = 1;
        showEditNow(1);
        updateSimulationNow();
    });
    passOver([&] {
        if (const std::optional<int> rate = m_platform.keyboardRepeatRate()) {
            m_savedRepeatRate = *rate;
            m_platform.setKeyboardRepeatRate(0);
        }
    });
    focusEditor();
}

void QuickEditState::showRecentFiles()
{
    m_view.setRecentFiles(m_session.recentFiles());
}

void QuickEditState::applyUnitType()
{
    const std::string& type = unitType();
    checkUnitType(m_session.preferences(), m_session.ui());
    m_session.applyUnitType();
    const bool fourLines = m_session.message().UnitLines == 4;
    m_view.setVisible("lblDisplay1", fourLines);
    m_view.setVisible("lblDisplay2", true);
    m_view.setVisible("lblDisplay3", true);
    m_view.setVisible("lblDisplay4", fourLines);
    m_view.setCaption("frameDisplay", type + " Display");
    CurrentMessage& message = m_session.message();
    if (message.CurrentLine > message.UnitLines)
        message.CurrentLine = 1;
}

void QuickEditState::messageReplaced()
{
    entry("ShowEdit", [&] {
        m_session.message().CurrentLine = 1;
        if (m_session.scriptEditMode) {
            // The new file's first message is shown as text, as every message in Script Edit.
            CurrentMessage& message = m_session.message();
            if (message.MessageScript.empty())
                message.MessageScript = m_session.store().EmptyText();
            showScriptText();
        } else {
            showEditNow(1);
            updateSimulationNow();
        }
        if (clearSyntaxErrors)
            clearSyntaxErrors();
        focusEditor();
    });
}

bool QuickEditState::shutDown(const std::function<void(const Preferences&)>& writePreferences)
{
    if (m_ended)
        return true;
    bool cancelled = false;
    entry("AskSaveChanges",
        [&] { cancelled = m_session.AskSaveChanges() == EditorSession::Decision::Cancel; });
    if (m_ended)
        return true; // the fatal-error path has already ended the program
    if (cancelled) {
        focusEditor();
        return false;
    }
    m_ended = true;
    m_view.setTimer("Timer1", false, 0);
    m_view.setTimer("Timer2", false, 0);
    if (writePreferences)
        writePreferences(m_session.preferences());
    restoreRepeatRate();
    return true;
}

void QuickEditState::restoreRepeatRate()
{
    m_platform.setKeyboardRepeatRate(m_savedRepeatRate);
}

void QuickEditState::ReportFatalError(const std::string& procedure)
{
    if (m_ended)
        return;
    m_ended = true;
    m_session.ui().busy(false);
    try {
        m_session.reportFatalError(procedure);
    } catch (const std::exception&) {
        // The emergency save is the last attempt; the program ends either way.
    }
    m_view.setTimer("Timer1", false, 0);
    m_view.setTimer("Timer2", false, 0);
    restoreRepeatRate();
    m_view.endProgram();
}

} // namespace marquis
