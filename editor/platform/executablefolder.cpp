#include "platform/executablefolder.h"

#include <system_error>

namespace marquis {

std::filesystem::path executableFolder()
{
    std::error_code error;
#if defined(__linux__)
    const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error && executable.is_absolute() && executable.has_parent_path()) {
        return executable.parent_path();
    }
#endif
    std::filesystem::path current = std::filesystem::current_path(error);
    return error ? std::filesystem::path(".") : current;
}

} // namespace marquis
