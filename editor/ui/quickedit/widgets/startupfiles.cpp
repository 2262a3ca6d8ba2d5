#include "ui/quickedit/widgets/startupfiles.h"

#include "files/programfolders.h"

#include <cstdlib>

namespace marquis::qt {
namespace {

std::filesystem::path environmentFolder(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value ? std::filesystem::path(value) : std::filesystem::path();
}

} // namespace

std::filesystem::path settingsFilePath()
{
    std::filesystem::path config = environmentFolder("XDG_CONFIG_HOME");
    if (config.empty()) {
        const std::filesystem::path home = environmentFolder("HOME");
        if (home.empty())
            return {};
        config = home / ".config";
    }
    return config / "Marquis5300" / "Marquis5300.INI";
}

std::filesystem::path instanceLockFolder()
{
    const std::filesystem::path runtime = environmentFolder("XDG_RUNTIME_DIR");
    if (!runtime.empty())
        return runtime;
    return defaultUserDataFolder();
}

std::filesystem::path helpGuideFor(const std::string& helpFile)
{
    std::filesystem::path guide(helpFile);
    guide.replace_extension(".html");
    return guide;
}

std::string helpAnchor(int context)
{
    return "context" + std::to_string(context);
}

} // namespace marquis::qt
