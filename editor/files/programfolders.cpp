#include "files/programfolders.h"

#include "files/paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace marquis {

bool canWriteIn(FileSystem& files, const std::string& folder, const std::string& testName)
{
    const std::string test = folder + testName;
    if (!writeWholeFile(files, test, "\r\n"))
        return false;
    files.remove(test);
    return true;
}

ProgramFolders resolveProgramFolders(
    FileSystem& files, const std::string& executableFolder, const std::string& userDataFolder)
{
    ProgramFolders folders;
    folders.executable = withTrailingSeparator(executableFolder);
    folders.program = folders.executable;
    if (!canWriteIn(files, folders.program, "TST&&&.TMP") && !userDataFolder.empty()) {
        std::error_code error;
        std::filesystem::create_directories(userDataFolder, error);
        folders.program = withTrailingSeparator(userDataFolder);
    }
    return folders;
}

std::string defaultUserDataFolder()
{
    if (const char* dataHome = std::getenv("XDG_DATA_HOME"); dataHome && *dataHome)
        return withTrailingSeparator(dataHome) + "Marquis5300/";
    if (const char* home = std::getenv("HOME"); home && *home)
        return withTrailingSeparator(home) + ".local/share/Marquis5300/";
    return "";
}

} // namespace marquis
