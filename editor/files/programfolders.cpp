#include "files/programfolders.h"

#include "files/paths.h"
#include "files/preferences.h"

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

std::string installedToolsFolder()
{
    return withTrailingSeparator(MARQUIS_INSTALLED_TOOLS_FOLDER);
}

std::string locateToolsFolder(FileSystem& files, const std::string& executableFolder)
{
    const std::string beside = withTrailingSeparator(executableFolder);
    if (beside.empty() || files.exists(beside + std::string(CompilerFileName)))
        return beside;
    const std::string installed = withTrailingSeparator(
        std::filesystem::path(beside + installedToolsFolder()).lexically_normal().string());
    return files.exists(installed + std::string(CompilerFileName)) ? installed : beside;
}

ProgramFolders resolveProgramFolders(
    FileSystem& files, const std::string& executableFolder, const std::string& userDataFolder)
{
    ProgramFolders folders;
    folders.executable = locateToolsFolder(files, executableFolder);
    folders.program = withTrailingSeparator(executableFolder);
    // An installed copy keeps no work files among the system's programs, even where it could
    // write there (as root); a copy in one folder works in it when it may.
    const bool installed = folders.executable != folders.program;
    if ((installed || !canWriteIn(files, folders.program, "TST&&&.TMP")) &&
        !userDataFolder.empty()) {
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
