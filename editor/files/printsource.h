#pragma once

#include "files/filestore.h"
#include "files/recordreader.h"

#include <memory>
#include <string>

namespace marquis {

// The SUB texts of every message for a printout, taken as a save takes them: the current
// message's text as given (it may be one made from a copy of the message, so that printing
// leaves the message itself alone), the others from the temporary store or the open script
// file. Each file is read once, when the source opens.
class PrintSource {
public:
    PrintSource(FileStore& store, std::string currentText);

    // Reads the files that hold messages. False, with "Can't open file " and the file's name
    // shown once, when one of them cannot be read.
    bool open();

    // The SUB text of message m; "" for a message without text.
    std::string text(int m);

private:
    bool openReader(std::unique_ptr<RecordReader>& reader, const std::string& path);

    FileStore& m_store;
    std::string m_currentText;
    std::unique_ptr<RecordReader> m_script;
    std::unique_ptr<RecordReader> m_temporary;
};

} // namespace marquis
