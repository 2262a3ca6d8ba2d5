#include "build/workfolder.h"

#include "files/paths.h"

#include <cstdlib>
#include <filesystem>
#include <stdlib.h>
#include <sys/stat.h>
#include <system_error>

namespace marquis {

std::string workFolderParent()
{
    std::error_code error;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        runtime && *runtime == '/' && std::filesystem::is_directory(runtime, error))
        return withTrailingSeparator(runtime);
    const std::filesystem::path temporary = std::filesystem::temp_directory_path(error);
    return withTrailingSeparator(error ? std::string("/tmp") : temporary.string());
}

const std::string& WorkFolder::path()
{
    if (!m_path.empty())
        return m_path;
    std::string pattern = workFolderParent() + "marquis5300-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        return m_path;
    // mkdtemp makes it 0700 already; said again so no umask or platform can widen it.
    ::chmod(pattern.c_str(), S_IRWXU);
    m_path = withTrailingSeparator(pattern);
    return m_path;
}

WorkFolder::~WorkFolder()
{
    if (m_path.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

}  // namespace marquis
