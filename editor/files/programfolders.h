#pragma once

#include "files/filesystem.h"

#include <string>

namespace marquis {

// The folders the editor works in, each with a trailing separator.
struct ProgramFolders {
    // Where the tools, the check-value module, "ESCAPES.H" and the help file are installed
    // (see locateToolsFolder).
    std::string executable;
    std::string program; // work files, the emergency file, the temporary store fallback
};

// The tools folder of an installed copy, relative to the folder of its programs.
std::string installedToolsFolder();

// Where the tools, the check-value module, "ESCAPES.H" and the help file are for a program in
// `executableFolder`: that folder itself when the compiler is beside the program (a build
// folder, or a copy kept in one folder); otherwise the installed tools folder next to it when
// the compiler is there; otherwise the executable's folder again, so that what is missing is
// reported where the program looked first.
std::string locateToolsFolder(FileSystem& files, const std::string& executableFolder);

// The tools as locateToolsFolder finds them. The program folder is the executable's folder when
// the tools are beside it and files can be written there; otherwise (an installed copy, or a
// read-only folder) it is the per-user data folder, created on demand.
ProgramFolders resolveProgramFolders(
    FileSystem& files, const std::string& executableFolder, const std::string& userDataFolder);

// $XDG_DATA_HOME/Marquis5300/, or ~/.local/share/Marquis5300/ without it.
std::string defaultUserDataFolder();

// True when a file can be created in the folder: `testName` is written with one empty line and
// removed again.
bool canWriteIn(FileSystem& files, const std::string& folder, const std::string& testName);

} // namespace marquis
