#include "requirecomponent.h"

#include "commanderror.h"
#include "files/filesystem.h"
#include "files/programfolders.h"
#include "platform/executablefolder.h"
#include "textio.h"

namespace marquis::cli {

std::string toolsFolder()
{
    DiskFileSystem files;
    return locateToolsFolder(files, executableFolder().string());
}

void requireComponent(CrcComponent& component)
{
    if (!component.available())
        throw CommandError(
            "the check-value component is not available: " + printable(component.errorText()));
}

} // namespace marquis::cli
