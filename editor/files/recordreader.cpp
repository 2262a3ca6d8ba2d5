#include "files/recordreader.h"

#include "model/numberformat.h"

namespace marquis {

std::optional<long long> subLineNumber(std::string_view line)
{
    if (!line.starts_with("SUB"))
        return std::nullopt;
    const std::size_t open = line.find('(', 3);
    if (open == std::string_view::npos)
        return std::nullopt;
    return numberValue(trimmed(line.substr(3, open - 3)));
}

std::optional<int> subLineTask(std::string_view line)
{
    const std::size_t at = line.find("TASK=");
    if (at == std::string_view::npos)
        return std::nullopt;
    const char digit = at + 5 < line.size() ? line[at + 5] : ' ';
    return digit >= '0' && digit <= '3' ? digit - '0' : 0;
}

RecordReader::RecordReader(FileSystem& files, const std::string& path, Reading reading)
    : m_file(files.open(path))
{
    if (m_file && reading == Reading::ManyRecords) {
        m_imageRead = m_file->seek(0) && m_file->readRest(m_image);
        m_file.reset();
    }
}

// Collects the lines of message n's record, from its SUB line through its END SUB line; false
// once the record is complete.
bool RecordReader::collect(int n, std::string_view line, Record& record, bool& inside)
{
    if (!inside) {
        if (subLineNumber(line) != n)
            return true;
        inside = true;
        record.task = subLineTask(line).value_or(0);
    }
    record.text += line;
    record.text += "\r\n";
    return !line.starts_with("END SUB");
}

// The same rules as reading from the file, on the file's bytes in memory: lines are sliced out
// rather than read one by one.
Record RecordReader::readFromImage(int n, std::size_t start)
{
    Record record;
    const std::string_view image = m_image;
    bool inside = false;
    for (std::size_t begin = start; begin < image.size();) {
        std::size_t end = image.find('\n', begin);
        end = end == std::string_view::npos ? image.size() : end;
        const std::string_view line = image.substr(begin, end - begin);
        begin = end + 1;
        if (!forEachScriptLine(
                line, [&](std::string_view part) { return collect(n, part, record, inside); }))
            break;
    }
    return record;
}

Record RecordReader::read(int n, std::int64_t offset)
{
    if (m_imageRead)
        return offset < 1 ? Record {} : readFromImage(n, static_cast<std::size_t>(offset - 1));
    Record record;
    if (!m_file || offset < 1 || !m_file->seek(static_cast<std::uint64_t>(offset - 1)))
        return record;
    bool inside = false;
    while (m_file->readLine(m_line)) {
        if (!forEachScriptLine(
                m_line, [&](std::string_view part) { return collect(n, part, record, inside); }))
            break;
    }
    return record;
}

} // namespace marquis
