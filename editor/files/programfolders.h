#pragma once

#include "files/filesystem.h"

#include <string>

namespace marquis {

// The folders the editor works in, each with a trailing separator.
struct ProgramFolders {
    std::string executable; // where the program, its tools and "ESCAPES.H" are installed
    std::string program; // work files, the emergency file, the temporary store fallback
};

// The executable's folder when files can be written there; otherwise the per-user data folder
// (created on demand), so an installation in a read-only place still works.
ProgramFolders resolveProgramFolders(
    FileSystem& files, const std::string& executableFolder, const std::string& userDataFolder);

// $XDG_DATA_HOME/Marquis5300/, or ~/.local/share/Marquis5300/ without it.
std::string defaultUserDataFolder();

// True when a file can be created in the folder: `testName` is written with one empty line and
// removed again.
bool canWriteIn(FileSystem& files, const std::string& folder, const std::string& testName);

} // namespace marquis
