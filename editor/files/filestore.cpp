#include "files/filestore.h"

#include "files/paths.h"
#include "files/programfolders.h"
#include "files/recordreader.h"
#include "model/checkvalues.h"

#include <algorithm>

namespace marquis {
namespace {

constexpr const char* StoreName = "TMP$$$.TMP";
constexpr const char* RebuildName = "TMP1$$.TMP";

} // namespace

FileStore::FileStore(CurrentMessage& message, CheckValueSource& checkValues, UserInterface& ui,
    FileSystem& files, std::string programFolder)
    : m_message(message)
    , m_checkValues(checkValues)
    , m_ui(ui)
    , m_files(files)
    , m_programFolder(std::move(programFolder))
{
}

void FileStore::ReadRecord(const std::string& path, int n)
{
    StoredMessageText.clear();
    RecordReader reader(m_files, path);
    if (!reader.isOpen()) {
        m_ui.message("Can't open file " + fileNameOf(path), Buttons::Ok, Icon::None, Answer::Ok);
        return;
    }
    const Record record = reader.read(n, MessageOffset.at(static_cast<std::size_t>(n)));
    StoredMessageText = record.text;
    if (!record.text.empty())
        m_message.MessageTask.at(static_cast<std::size_t>(n)) =
            static_cast<std::int16_t>(record.task);
}

bool FileStore::AppendRecord(const std::string& path, int n)
{
    std::unique_ptr<OutputFile> file = m_files.append(path);
    const std::uint64_t offset = file ? file->size() + 1 : 0;
    if (!file || !file->write(StoredMessageText) || !file->write("\r\n") || !file->commit(false)) {
        m_ui.message(
            "Can't write in file " + fileNameOf(path), Buttons::Ok, Icon::None, Answer::Ok);
        return false;
    }
    MessageOffset.at(static_cast<std::size_t>(n)) = static_cast<std::int32_t>(offset);
    return true;
}

void FileStore::LoadMessage(int n)
{
    m_message.MessageNumber = static_cast<std::int16_t>(n);
    StoredMessageText.clear();
    switch (MessageState.at(static_cast<std::size_t>(n))) {
    case InScript:
        if (ScriptFilePath.empty())
            m_ui.message(
                "Error. Specified message not found.", Buttons::Ok, Icon::None, Answer::Ok);
        else
            ReadRecord(ScriptFilePath, n);
        break;
    case InStore:
        ReadRecord(TempStorePath, n);
        break;
    default:
        break;
    }
    m_message.MessageScript = StoredMessageText;
    markLoaded();
}

void FileStore::markLoaded()
{
    m_loadedText = m_message.MessageScript;
    LoadedCheck = m_checkValues.checkValueOf(m_message.MessageScript);
}

std::string FileStore::EmptyText() const
{
    return EmptyMessageText(m_message.MessageNumber, m_message.task(), m_message.UnitLines);
}

bool FileStore::isEmptyCurrent() const
{
    return m_message.MessageScript.empty() || m_message.MessageScript == EmptyText();
}

bool FileStore::currentChanged() const
{
    return m_message.MessageScript != m_loadedText;
}

bool FileStore::anyInStore() const
{
    return std::find(MessageState.begin(), MessageState.end(), InStore) != MessageState.end();
}

std::string FileStore::storeFolder() const
{
    return folderOf(TempStorePath);
}

void FileStore::chooseStorePath()
{
    std::string folder = m_programFolder;
    if (!ScriptFilePath.empty()) {
        const std::string scriptFolder = folderOf(ScriptFilePath);
        if (canWriteIn(m_files, scriptFolder, "TST&&&.TMP"))
            folder = scriptFolder;
        else
            m_ui.message("Can't write in specified directory " + scriptFolder +
                    ". New created messages will be written in temporary file in directory - " +
                    m_programFolder,
                Buttons::Ok, Icon::None, Answer::Ok);
    }
    TempStorePath = folder + StoreName;
}

bool FileStore::StoreCurrentMessage(int n)
{
    const auto state = MessageState.at(static_cast<std::size_t>(n));
    if (state == Absent && isEmptyCurrent())
        return true;
    if (TempStorePath.empty())
        chooseStorePath();
    if (!anyInStore())
        m_files.remove(TempStorePath);
    m_files.remove(storeFolder() + RebuildName);

    if (state == InStore && currentChanged())
        return rebuildStore(n);
    if (state == Absent || (state == InScript && currentChanged())) {
        StoredMessageText = m_message.MessageScript;
        if (!AppendRecord(TempStorePath, n))
            return false;
        MessageState.at(static_cast<std::size_t>(n)) = InStore;
    }
    return true;
}

// Copies every stored message into a new store, message n from memory, and puts the new store
// in place of the old one only when all of it was written. Until then the old store and its
// offsets stay as they were.
bool FileStore::rebuildStore(int n)
{
    const std::string rebuildPath = storeFolder() + RebuildName;
    RecordReader oldStore(m_files, TempStorePath, RecordReader::Reading::ManyRecords);
    if (!oldStore.isOpen()) {
        m_ui.message(
            "Can't open file " + fileNameOf(TempStorePath), Buttons::Ok, Icon::None, Answer::Ok);
        return false;
    }
    std::unique_ptr<OutputFile> rebuilt = m_files.create(rebuildPath);
    auto states = MessageState;
    auto offsets = MessageOffset;
    bool ok = rebuilt != nullptr;
    for (std::size_t m = 0; ok && m < MessageCount; ++m) {
        if (states[m] != InStore)
            continue;
        const std::string text = static_cast<int>(m) == n
            ? m_message.MessageScript
            : oldStore.read(static_cast<int>(m), MessageOffset[m]).text;
        if (text.empty()) {
            states[m] = Absent; // a record the old store no longer holds
            continue;
        }
        offsets[m] = static_cast<std::int32_t>(rebuilt->size() + 1);
        ok = rebuilt->write(text) && rebuilt->write("\r\n");
    }
    ok = ok && rebuilt->commit(false) && m_files.replace(rebuildPath, TempStorePath);
    if (!ok) {
        rebuilt.reset();
        m_files.remove(rebuildPath);
        m_ui.message(
            "Can't write in file " + fileNameOf(rebuildPath), Buttons::Ok, Icon::None, Answer::Ok);
        return false;
    }
    MessageState = states;
    MessageOffset = offsets;
    return true;
}

bool FileStore::IsModified()
{
    if (FileModified || anyInStore())
        return true;
    const auto state = MessageState.at(static_cast<std::size_t>(m_message.MessageNumber));
    if (state == Absent && isEmptyCurrent())
        return false;
    return currentChanged();
}

int FileStore::NextMessage(int n)
{
    if (n >= MessageCount - 1) {
        m_ui.message("Message " + std::to_string(n) + " is the last one", Buttons::Ok, Icon::None,
            Answer::Ok);
        return 0;
    }
    for (int m = std::max(n + 1, 0); m < MessageCount; ++m)
        if (MessageState[static_cast<std::size_t>(m)] != Absent)
            return m;
    return n + 1;
}

int FileStore::PreviousMessage(int n)
{
    if (n < 1) {
        m_ui.message("Message " + std::to_string(n) + " is the first one", Buttons::Ok, Icon::None,
            Answer::Ok);
        return 0;
    }
    for (int m = std::min(n - 1, MessageCount - 1); m >= 0; --m)
        if (MessageState[static_cast<std::size_t>(m)] != Absent)
            return m;
    return n - 1;
}

void FileStore::clearTables()
{
    MessageState.fill(Absent);
    MessageOffset.fill(0);
    m_message.MessageTask.fill(0);
}

} // namespace marquis
