#include "comports.h"

#include <filesystem>
#include <fstream>

namespace marquis::unit {

PortLocation locateComPort(
    int number, const std::string& toolFolder, const EnvironmentLookup& environment)
{
    const std::string name = "COM" + std::to_string(number);
    const std::string variable = "MARQUIS_" + name;
    if (environment) {
        const char* value = environment(variable.c_str());
        if (value != nullptr && *value != '\0')
            return { value, variable };
    }
    if (!toolFolder.empty()) {
        const std::filesystem::path settings = std::filesystem::path(toolFolder) / "5300.ports";
        std::ifstream file(settings);
        std::string line;
        while (std::getline(file, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            const auto first = line.find_first_not_of(" \t");
            if (first == std::string::npos || line[first] == '#')
                continue;
            line.erase(0, first);
            const auto equals = line.find('=');
            if (equals == std::string::npos)
                continue;
            std::string key = line.substr(0, equals);
            while (!key.empty() && (key.back() == ' ' || key.back() == '\t'))
                key.pop_back();
            for (char& c : key)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            if (key != name)
                continue;
            std::string value = line.substr(equals + 1);
            const auto start = value.find_first_not_of(" \t");
            value.erase(0, start == std::string::npos ? value.size() : start);
            while (!value.empty() && (value.back() == ' ' || value.back() == '\t'))
                value.pop_back();
            if (!value.empty())
                return { value, settings.string() };
        }
    }
    return { "/dev/ttyS" + std::to_string(number - 1), "default" };
}

std::string runningProgramFolder()
{
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.parent_path().string();
}

} // namespace marquis::unit
