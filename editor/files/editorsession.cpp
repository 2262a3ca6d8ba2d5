#include "files/editorsession.h"

#include "files/fileopen.h"
#include "files/filesave.h"
#include "files/paths.h"
#include "model/checkvalues.h"
#include "model/modelfailure.h"
#include "model/numberformat.h"
#include "model/richtext.h"

#include <algorithm>
#include <exception>

namespace marquis {
namespace {

constexpr const char* ScriptFilter = "Marquis script file (*.src)|*.src";
constexpr const char* EmergencyFileName = "MQS3TMP.SRC";
constexpr std::size_t NamedLeftOut = 10;

} // namespace

std::string leftOutList(const std::vector<long long>& numbers)
{
    std::string list;
    for (std::size_t i = 0; i < numbers.size() && i < NamedLeftOut; ++i)
        list += (i == 0 ? "" : ", ") + std::to_string(numbers[i]);
    if (numbers.size() > NamedLeftOut)
        list += " and " + std::to_string(numbers.size() - NamedLeftOut) + " more";
    return list;
}

EditorSession::EditorSession(CheckValueSource& checkValues, UserInterface& ui, FileSystem& files,
    ProgramFolders folders, Preferences preferences)
    : m_ui(ui)
    , m_files(files)
    , m_folders(std::move(folders))
    , m_preferences(std::move(preferences))
    , m_writer(checkValues, ui)
    , m_reader(checkValues, ui)
    , m_quietReader(checkValues, m_quiet)
    , m_store(m_message, checkValues, ui, files, m_folders.program)
{
    m_message.PlaceholderChar = m_preferences.PlaceholderChar;
    applyUnitType();
}

void EditorSession::applyUnitType()
{
    m_message.UnitLines = unitLines(m_preferences);
}

void EditorSession::rebuildCurrentMessage()
{
    if (scriptEditMode)
        return;
    writeCurrentMessage();
    m_reader.ReadFields(m_message);
}

std::string EditorSession::currentScript()
{
    if (scriptEditMode || m_message.ScriptEditOnly)
        return m_message.MessageScript;
    if (!editedSinceLoaded())
        return m_store.loadedText();
    CurrentMessage copy = m_message;
    m_writer.SubMake(copy);
    return copy.MessageScript;
}

// The fields that the current message's text as loaded gives, read for `lines` display lines.
CurrentMessage EditorSession::loadedFields(int lines)
{
    CurrentMessage loaded = m_message;
    loaded.UnitLines = static_cast<std::int16_t>(lines);
    loaded.MessageScript = m_store.loadedText();
    m_quietReader.ReadFields(loaded);
    return loaded;
}

// Whether the fields differ from those of the text as loaded, on the lines the writer writes.
bool EditorSession::editedSinceLoaded()
{
    if (m_store.loadedText().empty())
        return true;
    const CurrentMessage loaded = loadedFields(m_message.UnitLines);
    if (loaded.ScriptEditOnly || loaded.task() != m_message.task())
        return true;
    const auto sameLine = [](const EditLine& a, const EditLine& b) {
        return a.LineText == b.LineText && a.LineFont == b.LineFont &&
            a.LineScroll == b.LineScroll && a.LineBlink == b.LineBlink &&
            a.LineBlock == b.LineBlock && a.LineLabel == b.LineLabel;
    };
    for (int i = 1; i <= m_message.UnitLines && i <= MaxUnitLines; ++i)
        if (!sameLine(loaded.line(i), m_message.line(i)))
            return true;
    return loaded.ClearScreen != m_message.ClearScreen ||
        loaded.RelayState != m_message.RelayState ||
        loaded.StartOtherTask != m_message.StartOtherTask ||
        loaded.StartSameTask != m_message.StartSameTask ||
        loaded.OutputDevice != m_message.OutputDevice || loaded.LockOn != m_message.LockOn ||
        loaded.LockOff != m_message.LockOff || loaded.BlockWait != m_message.BlockWait ||
        loaded.BlockScrollOn != m_message.BlockScrollOn ||
        loaded.VerticalScrollOn != m_message.VerticalScrollOn;
}

// Writes the current message's fields as its text. A message whose fields are still those of
// its text as loaded keeps that text byte for byte: the writer writes for the unit model set
// now, and would delete lines 3 and 4 of a message that was only looked at under the 5320.
void EditorSession::writeCurrentMessage()
{
    if (m_message.ScriptEditOnly)
        return;
    if (!editedSinceLoaded()) {
        m_message.MessageScript = m_store.loadedText();
        return;
    }
    m_writer.SubMake(m_message);
}

bool EditorSession::scriptTextAccepted()
{
    return !scriptEditMode || !acceptScriptText || acceptScriptText();
}

bool EditorSession::hidesLines()
{
    // Script Edit keeps the message as text, which no model change shortens.
    if (scriptEditMode || m_message.ScriptEditOnly || m_message.UnitLines >= MaxUnitLines)
        return false;
    const CurrentMessage loaded = loadedFields(MaxUnitLines);
    for (int i = m_message.UnitLines + 1; i <= MaxUnitLines; ++i)
        if (!GetText(m_message.line(i).LineText).empty() ||
            (!loaded.ScriptEditOnly && !GetText(loaded.line(i).LineText).empty()))
            return true;
    return false;
}

bool EditorSession::confirmHiddenLines()
{
    if (!hidesLines())
        return true;
    m_hiddenLinesConfirmed =
        m_ui.message("The " + m_preferences.UnitType +
                " displays only two lines. The text on lines 3 and 4 of message " +
                withLeadingBlank(m_message.MessageNumber) +
                " will be deleted when the message is changed.\r\nDo you want to continue?",
            Buttons::OkCancel, Icon::Question, Answer::Cancel) == Answer::Ok;
    return m_hiddenLinesConfirmed;
}

// Before a changed message is written without the lines the unit model does not show, while it
// holds text there. False when the user keeps the message as it is.
bool EditorSession::confirmDroppingLines()
{
    if (scriptEditMode || m_hiddenLinesConfirmed || !hidesLines() || !editedSinceLoaded())
        return true;
    return confirmHiddenLines();
}

FileDialogRequest EditorSession::scriptFileDialog(const std::string& title) const
{
    FileDialogRequest request;
    request.title = title;
    request.filter = ScriptFilter;
    request.defaultExtension = "src";
    request.folder = m_folders.program;
    return request;
}

ScriptHeader EditorSession::header() const
{
    return { m_preferences.UnitType, m_preferences.ScriptVersion };
}

EditorSession::Decision EditorSession::AskSaveChanges()
{
    if (!scriptEditMode)
        writeCurrentMessage();
    Decision decision = Decision::GoOn;
    if (m_store.IsModified()) {
        switch (m_ui.message("Do you want to save the changes?", Buttons::YesNoCancel,
            Icon::Question, Answer::Yes)) {
        case Answer::Cancel:
            decision = Decision::Cancel;
            break;
        case Answer::Yes:
            decision = (m_store.ScriptFilePath.empty() ? SaveAs() : Save()) ? Decision::GoOn
                                                                            : Decision::Cancel;
            break;
        default:
            break;
        }
    }
    if (!scriptEditMode)
        m_reader.ReadFields(m_message);
    return decision;
}

void EditorSession::FileNew()
{
    if (AskSaveChanges() == Decision::Cancel)
        return;
    m_store.FileModified = false;
    m_store.ScriptFilePath.clear();
    m_leftOut.clear();
    m_unreadFromLine.reset();
    m_hiddenLinesConfirmed = false;
    m_message.clearAttributes();
    m_message.MessageScript.clear();
    m_message.MessageNumber = 0;
    m_message.ScriptEditOnly = false;
    m_store.clearTables();
    for (int i = 1; i <= MaxUnitLines; ++i)
        m_message.line(i).LineLabel = static_cast<std::int16_t>(i);
    if (onFileReset)
        onFileReset();
    m_ui.caption("Marquis 5300 - New");
    m_message.MessageScript = m_store.EmptyText();
    m_store.markLoaded();
    m_store.LoadedCheck = 0;
    if (!scriptEditMode)
        m_reader.ReadFields(m_message);
}

bool EditorSession::FileOpen()
{
    if (AskSaveChanges() == Decision::Cancel)
        return false;
    return openWithDialog();
}

bool EditorSession::openWithDialog()
{
    while (true) {
        const std::optional<std::filesystem::path> chosen =
            m_ui.openFileDialog(scriptFileDialog("Open Script File"));
        if (!chosen)
            return false;
        m_store.FileModified = false;
        const std::string path = chosen->string();
        if (!m_files.exists(path)) {
            m_ui.message("Specified file doesn't exist.", Buttons::Ok, Icon::Information,
                Answer::Ok, "File Load Message");
            continue;
        }
        const OpenResult result = openFile(path);
        if (result != OpenResult::TryAgain)
            return result == OpenResult::Opened;
    }
}

std::vector<std::string> EditorSession::recentFiles() const
{
    const auto& files = m_preferences.RecentFiles;
    return { files.begin(),
        files.begin() + static_cast<std::ptrdiff_t>(usedRecentFiles(m_preferences)) };
}

void EditorSession::rememberRecentFile(const std::string& path)
{
    const auto before = m_preferences.RecentFiles;
    addRecentFile(m_preferences, path);
    if (m_preferences.RecentFiles != before && onRecentFilesChanged)
        onRecentFilesChanged();
}

bool EditorSession::openRecentFile(std::size_t index)
{
    if (index >= m_preferences.RecentFiles.size() || m_preferences.RecentFiles[index].empty())
        return false;
    if (AskSaveChanges() == Decision::Cancel)
        return false;
    m_store.FileModified = false;
    const std::string path = m_preferences.RecentFiles[index];
    const OpenResult result = openFile(path);
    if (result == OpenResult::TryAgain)
        return openWithDialog();
    return result == OpenResult::Opened;
}

bool EditorSession::openGivenFile(const std::string& path)
{
    if (AskSaveChanges() == Decision::Cancel)
        return false;
    m_store.FileModified = false;
    if (!m_files.exists(path)) {
        m_ui.message("Specified file doesn't exist.", Buttons::Ok, Icon::Information, Answer::Ok,
            "File Load Message");
        return false;
    }
    const OpenResult result = openFile(path);
    if (result == OpenResult::TryAgain)
        return openWithDialog();
    return result == OpenResult::Opened;
}

EditorSession::OpenedScript EditorSession::openScriptFile(const std::string& path)
{
    switch (openFile(path)) {
    case OpenResult::Opened:
        return { OpenedScript::Result::Opened };
    case OpenResult::Failed:
        return { OpenedScript::Result::Unreadable };
    default:
        return { OpenedScript::Result::NotAScript };
    }
}

// Opens one script file. The editor's tables change only once the file was read and accepted,
// so an unreadable or refused file leaves the open one as it was.
EditorSession::OpenResult EditorSession::openFile(const std::string& path)
{
    std::unique_ptr<InputFile> file = m_files.open(path);
    if (!file) {
        m_ui.message("Error! Cannot open file " + path, Buttons::Ok, Icon::Exclamation, Answer::Ok);
        return OpenResult::Failed;
    }
    const std::string name = fileNameOf(path);
    ScriptScan scan;
    {
        const BusyNotice notice(m_ui, openingStatus(name, file->size(), 0));
        int shown = 0;
        scan = scanScriptFile(*file, [&](int percent) {
            if (percent > shown + 4) {
                m_ui.status(openingStatus(name, file->size(), percent));
                shown = percent;
            }
        });
    }
    file.reset();
    if (scan.rejected) {
        const Answer again = m_ui.message("You can open files created only with this program.\r\n"
                                          "Do you want to try again?",
            Buttons::YesNo, Icon::Question, Answer::Yes);
        return again == Answer::Yes ? OpenResult::TryAgain : OpenResult::Refused;
    }

    m_ui.caption("Marquis 5300 - " + name);
    m_store.clearTables();
    m_store.ScriptFilePath = path;
    m_message.MessageNumber = 0;
    m_message.clearAttributes();
    m_message.MessageScript.clear();
    m_store.LoadedCheck = 0;
    if (onFileReset)
        onFileReset();
    if (scan.unitType) {
        m_preferences.UnitType = *scan.unitType;
        applyUnitType();
    }
    if (scan.version)
        m_preferences.ScriptVersion = *scan.version;
    for (const ScriptScan::Message& found : scan.messages) {
        const auto n = static_cast<std::size_t>(found.number);
        m_store.MessageState[n] = InScript;
        m_store.MessageOffset[n] = found.offset;
        if (found.task)
            m_message.MessageTask[n] = static_cast<std::int16_t>(*found.task);
    }
    m_leftOut = scan.skippedNumbers;
    if (!m_leftOut.empty())
        m_ui.message("The file " + name + " holds messages with numbers outside 0 to 1023 (" +
                leftOutList(m_leftOut) + "). They were left out.",
            Buttons::Ok, Icon::Exclamation, Answer::Ok);
    m_unreadFromLine = scan.stoppedAtLine;
    if (m_unreadFromLine)
        m_ui.message("Reading of file " + name + " stopped at line" +
                withLeadingBlank(*m_unreadFromLine) +
                ", a SUB line without \"(\". The text from there on was left out.",
            Buttons::Ok, Icon::Exclamation, Answer::Ok);
    if (!scan.anyLine)
        m_ui.message("This file has no messages. It will be easier to select New file, create "
                     "the messages and then save it under the same name.",
            Buttons::Ok, Icon::None, Answer::Ok);
    rememberRecentFile(path);
    showMessage(m_store.NextMessage(-1));
    return OpenResult::Opened;
}

void EditorSession::showMessage(int n)
{
    m_hiddenLinesConfirmed = false;
    m_store.LoadMessage(n);
    if (scriptEditMode)
        CheckCurrentMessage(m_message, m_store.checkValues(), m_ui);
    else
        m_reader.ReadFields(m_message);
}

// The records left out when the file was opened are not in the store; a save that writes the
// file without them asks first.
bool EditorSession::confirmLeavingOut(const std::string& newPath)
{
    if ((m_leftOut.empty() && !m_unreadFromLine) ||
        (newPath == m_store.ScriptFilePath && !m_store.IsModified()))
        return true;
    const std::string file = fileNameOf(m_store.ScriptFilePath);
    if (!m_leftOut.empty() &&
        m_ui.message("The messages " + leftOutList(m_leftOut) + " of file " + file +
                " have numbers outside 0 to 1023 and will not be saved.\r\n"
                "Do you want to save the file without them?",
            Buttons::OkCancel, Icon::Exclamation, Answer::Cancel) != Answer::Ok)
        return false;
    return !m_unreadFromLine ||
        m_ui.message("The text of file " + file + " from line" +
                withLeadingBlank(*m_unreadFromLine) +
                " on was not read and will not be saved.\r\n"
                "Do you want to save the file without it?",
            Buttons::OkCancel, Icon::Exclamation, Answer::Cancel) == Answer::Ok;
}

bool EditorSession::saveTo(const std::string& newPath)
{
    if (!confirmLeavingOut(newPath))
        return false;
    const bool saved = SaveFile(m_store, m_store.ScriptFilePath, newPath, header());
    if (saved) {
        m_leftOut.clear();
        m_unreadFromLine.reset();
        rememberRecentFile(newPath);
        m_ui.caption("Marquis 5300 - " + fileNameOf(newPath));
    }
    return saved;
}

bool EditorSession::Save()
{
    if (m_store.ScriptFilePath.empty())
        return SaveAs();
    if (!scriptTextAccepted() || !confirmDroppingLines())
        return false;
    if (!scriptEditMode)
        writeCurrentMessage();
    const bool saved = saveTo(m_store.ScriptFilePath);
    if (!scriptEditMode)
        m_reader.ReadFields(m_message);
    return saved;
}

bool EditorSession::SaveAs()
{
    if (!scriptTextAccepted())
        return false;
    std::string path;
    while (path.empty()) {
        const std::optional<std::filesystem::path> chosen =
            m_ui.saveFileDialog(scriptFileDialog("Save Script File"));
        if (!chosen)
            return false;
        if (m_files.exists(chosen->string()) &&
            m_ui.message("The file " + chosen->string() +
                    " already exists on disk.\r\n"
                    "Do you want to replace it.",
                Buttons::YesNo, Icon::Information, Answer::Yes, "File Save Message") == Answer::No)
            continue;
        path = chosen->string();
    }
    if (!confirmDroppingLines())
        return false;
    if (!scriptEditMode)
        writeCurrentMessage();
    const bool saved = saveTo(path);
    if (!scriptEditMode)
        m_reader.ReadFields(m_message);
    return saved;
}

bool EditorSession::goToMessage(int n)
{
    if (!isMessageNumber(n) || !scriptTextAccepted() || !confirmDroppingLines())
        return false;
    if (!scriptEditMode)
        writeCurrentMessage();
    if (!m_store.StoreCurrentMessage(m_message.MessageNumber)) {
        if (!scriptEditMode)
            m_reader.ReadFields(m_message);
        return false;
    }
    showMessage(n);
    return true;
}

bool EditorSession::messagesExist()
{
    const auto& states = m_store.MessageState;
    if (std::any_of(states.begin(), states.end(), [](std::int16_t s) { return s != Absent; }))
        return true;
    if (scriptEditMode || m_message.ScriptEditOnly)
        return !m_message.MessageScript.empty() && m_message.MessageScript != m_store.EmptyText();
    // Fields that write no SUB text make no message; the writer is the one judge of that.
    CurrentMessage written = m_message;
    ScriptWriter(m_store.checkValues(), m_quiet).SubMake(written);
    return !written.MessageScript.empty();
}

void EditorSession::DeleteCurrentMessage()
{
    const int n = m_message.MessageNumber;
    m_message.setTask(0);
    m_store.MessageState.at(static_cast<std::size_t>(n)) = Absent;
    m_store.MessageOffset.at(static_cast<std::size_t>(n)) = 0;
    // The fields go as well as the text: whatever leaves this message next must find nothing
    // to store.
    m_message.clearAttributes();
    m_message.MessageScript.clear();
    m_message.ScriptEditOnly = false;
    m_store.FileModified = true;
    showMessage(n == 0 ? m_store.NextMessage(0) : m_store.PreviousMessage(n));
}

bool EditorSession::reportFatalError(const std::string& procedure)
{
    const std::string emergencyPath = m_folders.program + EmergencyFileName;
    if (m_ui.message("Unexpected Error in module " + procedure + ". Save all data in file " +
                emergencyPath + " on exit?",
            Buttons::YesNo, Icon::Exclamation, Answer::Yes) != Answer::Yes)
        return false;
    if (!scriptEditMode) {
        // The failure may have come from writing this very message; then its last stored text
        // is saved instead.
        try {
            writeCurrentMessage();
        } catch (const std::exception&) {
        }
    }
    return SaveFile(m_store, m_store.ScriptFilePath, emergencyPath, header());
}

} // namespace marquis
