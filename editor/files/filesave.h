#pragma once

#include "files/filestore.h"

#include <string>

namespace marquis {

// The header lines of a script file.
struct ScriptHeader {
    std::string unitType = "5360"; // "5320" or "5360"
    std::string version = "2"; // "1" or "2"
};

// Writes every message, in ascending number, from the script file `oldPath`, the temporary
// store and the current message, into a new script file `newPath`. The new file is written
// completely beside the target and then put in its place in one step; the store is deleted
// afterwards. On any failure the old file, the store and the store's tables are left exactly as
// they were, and the result is false.
bool SaveFile(FileStore& store, const std::string& oldPath, const std::string& newPath,
    const ScriptHeader& header);

} // namespace marquis
