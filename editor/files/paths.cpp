#include "files/paths.h"

namespace marquis {
namespace {

std::size_t afterLastSeparator(std::string_view path)
{
    const std::size_t last = path.find_last_of("/\\");
    return last == std::string_view::npos ? 0 : last + 1;
}

} // namespace

std::string fileNameOf(std::string_view path)
{
    return std::string(path.substr(afterLastSeparator(path)));
}

std::string folderOf(std::string_view path)
{
    return std::string(path.substr(0, afterLastSeparator(path)));
}

std::string basePathOf(std::string_view path)
{
    // Only the file name is searched: a folder such as "/home/me/.config/" must not cut the
    // path short.
    const std::size_t nameStart = afterLastSeparator(path);
    const std::size_t dot = path.find('.', nameStart);
    return std::string(path.substr(0, dot));
}

std::string baseNameOf(std::string_view path)
{
    const std::string name = fileNameOf(path);
    return name.substr(0, name.find('.'));
}

std::string withTrailingSeparator(std::string_view folder)
{
    if (folder.empty() || folder.back() == '/' || folder.back() == '\\')
        return std::string(folder);
    return std::string(folder) + "/";
}

} // namespace marquis
