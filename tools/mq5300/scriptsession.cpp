#include "scriptsession.h"

#include "commanderror.h"
#include "files/programfolders.h"
#include "platform/executablefolder.h"
#include "requirecomponent.h"
#include "textio.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace marquis::cli {
namespace {

// Only a regular file of a sensible size is read: a FIFO or a device could block the tool or
// never end.
void requireReadableFile(const std::string& path, const std::string& name)
{
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0)
        throw CommandError("cannot read " + name + ": " + std::strerror(errno));
    if (!S_ISREG(info.st_mode))
        throw CommandError("cannot read " + name + ": not a regular file");
    if (static_cast<std::uint64_t>(info.st_size) > MaxInputBytes)
        throw CommandError(
            name + " is larger than " + std::to_string(MaxInputBytes / (1024 * 1024)) + " MiB");
}

} // namespace

Answer ConsoleUserInterface::message(
    std::string_view text, Buttons buttons, Icon, Answer, std::string_view)
{
    messages.push_back(printable(text, 4000));
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::OkCancel:
        return Answer::Cancel;
    default:
        return Answer::No;
    }
}

ScriptSession::ScriptSession(const std::string& path)
    : m_component(toolsFolder())
    , m_name(printable(path))
{
    requireComponent(m_component);
    requireReadableFile(path, m_name);
    const ProgramFolders folders =
        resolveProgramFolders(m_files, executableFolder().string(), defaultUserDataFolder());
    Preferences preferences = defaultPreferences(folders.executable);
    preferences.PlaceholderChar = "#";
    m_session = std::make_unique<EditorSession>(m_component, m_ui, m_files, folders, preferences);
    switch (m_session->openScriptFile(path).result) {
    case EditorSession::OpenedScript::Result::Opened:
        break;
    case EditorSession::OpenedScript::Result::NotAScript:
        throw CommandError(m_name + " is not a script file");
    default:
        throw CommandError("cannot read " + m_name +
            (::access(path.c_str(), R_OK) != 0 ? ": " + std::string(std::strerror(errno)) : ""));
    }
}

} // namespace marquis::cli
