#pragma once

#include "files/filesystem.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace marquis {

// One message's SUB text as a record of a script or store file.
struct Record {
    std::string text;  // from its SUB line through its END SUB line, each line ending in CR LF
    int task = 0;      // from "TASK=" in its SUB line
};

// Reads records of one file by their offsets, keeping the file open between records.
class RecordReader {
public:
    RecordReader(FileSystem& files, const std::string& path);

    bool isOpen() const { return m_file != nullptr; }

    // The record of message n that starts at or after the 1-based `offset`; an empty text when
    // there is none.
    Record read(int n, std::int64_t offset);

private:
    std::unique_ptr<InputFile> m_file;
    std::string m_line;
};

// The message number of a SUB line ("SUB 12(TASK=0)..." gives 12); none when the line is no
// SUB line or has no "(" after "SUB".
std::optional<long long> subLineNumber(std::string_view line);

// The task of a SUB line: the digit after "TASK=", 0 when it is not a task; none without
// "TASK=".
std::optional<int> subLineTask(std::string_view line);

}  // namespace marquis
