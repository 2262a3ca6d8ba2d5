#include "files/printsource.h"

#include "files/paths.h"

namespace marquis {

PrintSource::PrintSource(FileStore& store, std::string currentText)
    : m_store(store)
    , m_currentText(std::move(currentText))
{
    if (m_currentText == m_store.EmptyText())
        m_currentText.clear();
}

bool PrintSource::open()
{
    bool inScript = false;
    bool inStore = false;
    const int current = m_store.message().MessageNumber;
    for (int m = 0; m < MessageCount; ++m) {
        if (m == current)
            continue;
        const auto state = m_store.MessageState[static_cast<std::size_t>(m)];
        inScript = inScript || state == InScript;
        inStore = inStore || state == InStore;
    }
    return (!inScript || m_store.ScriptFilePath.empty() ||
               openReader(m_script, m_store.ScriptFilePath)) &&
        (!inStore || openReader(m_temporary, m_store.TempStorePath));
}

bool PrintSource::openReader(std::unique_ptr<RecordReader>& reader, const std::string& path)
{
    reader =
        std::make_unique<RecordReader>(m_store.files(), path, RecordReader::Reading::ManyRecords);
    if (reader->isOpen())
        return true;
    m_store.ui().message(
        "Can't open file " + fileNameOf(path), Buttons::Ok, Icon::None, Answer::Ok);
    return false;
}

std::string PrintSource::text(int m)
{
    const auto index = static_cast<std::size_t>(m);
    if (m == m_store.message().MessageNumber)
        return m_currentText;
    RecordReader* reader = nullptr;
    if (m_store.MessageState[index] == InStore)
        reader = m_temporary.get();
    else if (m_store.MessageState[index] == InScript)
        reader = m_script.get();
    return reader ? reader->read(m, m_store.MessageOffset[index]).text : std::string {};
}

} // namespace marquis
