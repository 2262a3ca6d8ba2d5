#include "files/editorsession.h"

#include "files/fileopen.h"
#include "files/filesave.h"
#include "files/paths.h"
#include "model/checkvalues.h"
#include "model/modelfailure.h"

#include <algorithm>
#include <exception>

namespace marquis {
namespace {

constexpr const char* ScriptFilter = "Marquis script file (*.src)|*.src";
constexpr const char* EmergencyFileName = "MQS3TMP.SRC";

} // namespace

EditorSession::EditorSession(CheckValueSource& checkValues, UserInterface& ui, FileSystem& files,
    ProgramFolders folders, Preferences preferences)
    : m_ui(ui)
    , m_files(files)
    , m_folders(std::move(folders))
    , m_preferences(std::move(preferences))
    , m_writer(checkValues, ui)
    , m_reader(checkValues, ui)
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
    m_writer.SubMake(m_message);
    m_reader.ReadFields(m_message);
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
        m_writer.SubMake(m_message);
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

bool EditorSession::openScriptFile(const std::string& path)
{
    return openFile(path) == OpenResult::Opened;
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
        return again == Answer::Yes ? OpenResult::TryAgain : OpenResult::Failed;
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
    if (!scan.skippedNumbers.empty()) {
        std::string numbers;
        for (const long long number : scan.skippedNumbers)
            numbers += (numbers.empty() ? "" : ", ") + std::to_string(number);
        m_ui.message("The file " + name + " holds messages with numbers outside 0 to 1023 (" +
                numbers + "). They were left out.",
            Buttons::Ok, Icon::Exclamation, Answer::Ok);
    }
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
    m_store.LoadMessage(n);
    if (scriptEditMode)
        CheckCurrentMessage(m_message, m_store.checkValues(), m_ui);
    else
        m_reader.ReadFields(m_message);
}

bool EditorSession::saveTo(const std::string& newPath)
{
    const bool saved = SaveFile(m_store, m_store.ScriptFilePath, newPath, header());
    if (saved) {
        rememberRecentFile(newPath);
        m_ui.caption("Marquis 5300 - " + fileNameOf(newPath));
    }
    return saved;
}

bool EditorSession::Save()
{
    if (m_store.ScriptFilePath.empty())
        return SaveAs();
    if (!scriptEditMode)
        m_writer.SubMake(m_message);
    const bool saved = saveTo(m_store.ScriptFilePath);
    if (!scriptEditMode)
        m_reader.ReadFields(m_message);
    return saved;
}

bool EditorSession::SaveAs()
{
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
    if (!scriptEditMode)
        m_writer.SubMake(m_message);
    const bool saved = saveTo(path);
    if (!scriptEditMode)
        m_reader.ReadFields(m_message);
    return saved;
}

bool EditorSession::goToMessage(int n)
{
    if (!isMessageNumber(n))
        return false;
    if (!scriptEditMode)
        m_writer.SubMake(m_message);
    if (!m_store.StoreCurrentMessage(m_message.MessageNumber)) {
        if (!scriptEditMode)
            m_reader.ReadFields(m_message);
        return false;
    }
    showMessage(n);
    return true;
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
            m_writer.SubMake(m_message);
        } catch (const std::exception&) {
        }
    }
    return SaveFile(m_store, m_store.ScriptFilePath, emergencyPath, header());
}

} // namespace marquis
