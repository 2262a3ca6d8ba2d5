#include "files/filesave.h"

#include "files/paths.h"
#include "files/programfolders.h"
#include "files/recordreader.h"
#include "model/numberformat.h"

namespace marquis {
namespace {

constexpr const char* TestName = "TST$$$.TST";
constexpr const char* TemporaryName = "TMPFLN.TMP";

std::string savingStatus(const std::string& name, int percent)
{
    return "Saving file " + name + ". " + withLeadingBlank(percent) + " % complete.";
}

// Copies the messages into the new file and works out their new states and offsets, without
// touching the store's own tables.
class MessageCopier {
public:
    MessageCopier(FileStore& store, const std::string& oldPath, OutputFile& target)
        : m_store(store)
        , m_target(target)
        , m_states(store.MessageState)
        , m_offsets(store.MessageOffset)
    {
        if (!oldPath.empty())
            m_script = std::make_unique<RecordReader>(
                store.files(), oldPath, RecordReader::Reading::ManyRecords);
        if (!store.TempStorePath.empty())
            m_temporary = std::make_unique<RecordReader>(
                store.files(), store.TempStorePath, RecordReader::Reading::ManyRecords);
        m_oldPath = oldPath;
    }

    bool copy(int m)
    {
        const auto index = static_cast<std::size_t>(m);
        const CurrentMessage& message = m_store.message();
        std::string text;
        if (m == message.MessageNumber) {
            if (message.MessageScript.empty() || message.MessageScript == m_store.EmptyText()) {
                m_states[index] = Absent;
                return true;
            }
            text = message.MessageScript;
        } else if (m_states[index] == InStore) {
            if (!readFrom(m_temporary.get(), m_store.TempStorePath, m, text))
                return false;
        } else if (m_states[index] == InScript && !m_oldPath.empty()) {
            if (!readFrom(m_script.get(), m_oldPath, m, text))
                return false;
        } else {
            return true;
        }
        if (text.empty()) {
            m_states[index] = Absent; // nothing readable is left of it
            return true;
        }
        m_offsets[index] = static_cast<std::int32_t>(m_target.size() + 1);
        m_states[index] = InScript;
        return m_target.write(text) && m_target.write("\r\n");
    }

    // True when a failure was already shown to the user.
    bool reported() const { return m_reported; }

    void commit()
    {
        m_store.MessageState = m_states;
        m_store.MessageOffset = m_offsets;
    }

private:
    bool readFrom(RecordReader* reader, const std::string& path, int m, std::string& text)
    {
        if (!reader || !reader->isOpen()) {
            m_store.ui().message(
                "Can't open file " + fileNameOf(path), Buttons::Ok, Icon::None, Answer::Ok);
            m_reported = true;
            return false;
        }
        text = reader->read(m, m_offsets[static_cast<std::size_t>(m)]).text;
        return true;
    }

    FileStore& m_store;
    OutputFile& m_target;
    std::string m_oldPath;
    std::unique_ptr<RecordReader> m_script;
    std::unique_ptr<RecordReader> m_temporary;
    std::array<std::int16_t, MessageCount + 1> m_states;
    std::array<std::int32_t, MessageCount + 1> m_offsets;
    bool m_reported = false;
};

} // namespace

bool SaveFile(FileStore& store, const std::string& oldPath, const std::string& newPath,
    const ScriptHeader& header)
{
    if (newPath.empty() || (newPath == oldPath && !store.IsModified()))
        return false;
    FileSystem& files = store.files();
    UserInterface& ui = store.ui();
    const std::string folder = folderOf(newPath);
    if (!canWriteIn(files, folder, TestName)) {
        ui.message("Can't write in specified directory " + folder +
                ". You have to select SaveAs from Flie menu and save the file in diferent "
                "directory.",
            Buttons::Ok, Icon::None, Answer::Ok);
        return false;
    }
    const std::string temporaryPath = folder + TemporaryName;
    files.remove(temporaryPath);
    std::unique_ptr<OutputFile> target = files.create(temporaryPath);
    if (!target ||
        !target->write("#define Display_type (" + header.unitType +
            ")\r\n#include \"ESCAPES.H\"\r\n"
            "#pragma version " +
            header.version + "\r\n\r\n")) {
        ui.message(
            "Can't create temporary file " + temporaryPath, Buttons::Ok, Icon::None, Answer::Ok);
        return false;
    }

    const std::string name = fileNameOf(newPath);
    const BusyNotice notice(ui, savingStatus(name, 1));
    MessageCopier copier(store, oldPath, *target);
    int lastUpdate = 0;
    bool ok = true;
    for (int m = 0; ok && m < MessageCount; ++m) {
        if (m > lastUpdate + 49) {
            ui.status(savingStatus(name, m > 980 ? 100 : m / 10));
            lastUpdate = m;
        }
        ok = copier.copy(m);
    }
    // The new file is complete and on the disk before it takes the old one's place.
    ok = ok && target->commit(true) && files.replace(temporaryPath, newPath);
    if (!ok) {
        if (!copier.reported())
            ui.message("Can't write in file " + fileNameOf(temporaryPath), Buttons::Ok, Icon::None,
                Answer::Ok);
        return false;
    }
    copier.commit();
    if (!store.TempStorePath.empty())
        files.remove(store.TempStorePath);
    store.ScriptFilePath = newPath;
    store.FileModified = false;
    store.markLoaded();
    return true;
}

} // namespace marquis
