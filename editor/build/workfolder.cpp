#include "build/workfolder.h"

#include "files/paths.h"

#include <cstdlib>
#include <filesystem>
#include <stdlib.h>
#include <sys/stat.h>
#include <system_error>

namespace marquis {

namespace {

std::string temporaryFolder()
{
    std::error_code error;
    const std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
    return withTrailingSeparator(error ? std::string("/tmp") : temporary.string());
}

} // namespace

std::string workFolderParent()
{
    std::error_code error;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        runtime && *runtime == '/' && std::filesystem::is_directory(runtime, error))
        return withTrailingSeparator(runtime);
    return temporaryFolder();
}

// A runtime folder that refuses new folders (full, or not the user's) leaves the temporary
// folder.
const std::string& WorkFolder::path()
{
    if (!m_path.empty())
        return m_path;
    for (const std::string& parent : { workFolderParent(), temporaryFolder() }) {
        std::string pattern = parent + "marquis5300-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr)
            continue;
        // mkdtemp makes it 0700 already; said again so no platform can make it wider.
        ::chmod(pattern.c_str(), S_IRWXU);
        m_path = withTrailingSeparator(pattern);
        break;
    }
    return m_path;
}

WorkFolder::~WorkFolder()
{
    if (m_path.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

} // namespace marquis
