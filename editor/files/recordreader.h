#pragma once

#include "files/filesystem.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace marquis {

// One message's SUB text as a record of a script or store file.
struct Record {
    std::string text; // from its SUB line through its END SUB line, each line ending in CR LF
    int task = 0; // from "TASK=" in its SUB line
};

// Reads records of one file by their offsets. For one record it reads just that part of the
// file; for many (rebuilding the store, saving) it takes the whole file into memory once.
class RecordReader {
public:
    enum class Reading { OneRecord, ManyRecords };

    RecordReader(FileSystem& files, const std::string& path, Reading reading = Reading::OneRecord);

    bool isOpen() const { return m_file != nullptr || m_imageRead; }

    // The record of message n that starts at or after the 1-based `offset`; an empty text when
    // there is none.
    Record read(int n, std::int64_t offset);

private:
    Record readFromImage(int n, std::size_t start);
    static bool collect(int n, std::string_view line, Record& record, bool& inside);

    std::unique_ptr<InputFile> m_file;
    std::string m_line;
    std::string m_image;
    bool m_imageRead = false;
};

// Calls `visit` with each script line of one line as read up to its LF: its CR LF end is
// dropped, and a CR elsewhere ends a line as well, because the compiler takes a CR alone as a
// line end; the store must find the same SUB lines in a file as the compiler does. `visit`
// returns false to stop; the result is false when it stopped.
template <typename Visit> bool forEachScriptLine(std::string_view line, Visit visit)
{
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    for (std::size_t cr = line.find('\r'); cr != std::string_view::npos; cr = line.find('\r')) {
        if (!visit(line.substr(0, cr)))
            return false;
        line.remove_prefix(cr + 1);
    }
    return visit(line);
}

// The message number of a SUB line ("SUB 12(TASK=0)..." gives 12); none when the line is no
// SUB line or has no "(" after "SUB".
std::optional<long long> subLineNumber(std::string_view line);

// The task of a SUB line: the digit after "TASK=", 0 when it is not a task; none without
// "TASK=".
std::optional<int> subLineTask(std::string_view line);

} // namespace marquis
