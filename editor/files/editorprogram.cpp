#include "files/editorprogram.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace marquis {
namespace {

bool isProgram(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(path, error) && ::access(path.c_str(), X_OK) == 0;
}

} // namespace

std::string findEditorProgram(std::string_view setting, std::string& problem)
{
    const std::string named(setting);
    if (named.find_first_not_of(' ') == std::string::npos) {
        problem = "No external script editor is named. Enter the path of its program, or "
                  "choose Internal.";
        return "";
    }
    if (named.find('/') != std::string::npos) {
        std::error_code error;
        if (!std::filesystem::exists(named, error)) {
            problem = "The external script editor " + named + " cannot be found.";
            return "";
        }
        if (!isProgram(named)) {
            problem = "The external script editor " + named +
                " is not a program that can be "
                "started.";
            return "";
        }
        return named;
    }
    const char* pathVariable = std::getenv("PATH");
    const std::string folders = pathVariable ? pathVariable : "";
    for (std::size_t begin = 0; begin <= folders.size();) {
        std::size_t end = folders.find(':', begin);
        if (end == std::string::npos)
            end = folders.size();
        const std::string folder = folders.substr(begin, end - begin);
        if (!folder.empty() && isProgram(folder + "/" + named))
            return folder + "/" + named;
        begin = end + 1;
    }
    problem = "The external script editor " + named +
        " cannot be found. Enter the full path of its program.";
    return "";
}

} // namespace marquis
