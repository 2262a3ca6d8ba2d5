#include "unitlink/unitregistry.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace marquis::unit {
namespace {

constexpr const char* EntrySuffix = ".unit";

// The folder exists, is a real folder (no link another user planted), is ours and is closed to
// everyone else; it is made so when it does not exist.
bool privateFolder(const std::filesystem::path& folder)
{
    ::mkdir(folder.c_str(), 0700);
    struct stat info { };
    return ::lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
        info.st_uid == ::getuid() && (info.st_mode & 077) == 0;
}

bool processRuns(long pid)
{
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

// "link=..." and "model=..." lines; nothing when either is missing or the model is no number.
bool readEntry(const std::filesystem::path& file, AnnouncedUnit& unit)
{
    std::ifstream in(file);
    std::string line;
    bool haveModel = false;
    while (std::getline(in, line)) {
        if (line.starts_with("link="))
            unit.link = line.substr(5);
        else if (line.starts_with("model=")) {
            try {
                unit.model = std::stoi(line.substr(6));
                haveModel = true;
            } catch (const std::exception&) {
                return false;
            }
        }
    }
    return !unit.link.empty() && haveModel;
}

} // namespace

std::filesystem::path unitRegistryFolder(const EnvironmentLookup& environment)
{
    const char* runtime = environment ? environment("XDG_RUNTIME_DIR") : nullptr;
    if (runtime != nullptr && *runtime == '/')
        return std::filesystem::path(runtime) / "marquis5300-units";
    return std::filesystem::path("/tmp") / ("marquis5300-units-" + std::to_string(::getuid()));
}

UnitAnnouncement::UnitAnnouncement(
    const std::filesystem::path& folder, const std::string& link, int model)
{
    if (!privateFolder(folder))
        return;
    std::error_code error;
    const std::filesystem::path absoluteLink = std::filesystem::absolute(link, error);
    if (error)
        return;
    const std::filesystem::path file = folder / (std::to_string(::getpid()) + EntrySuffix);
    const std::filesystem::path partial = folder / (std::to_string(::getpid()) + ".part");
    {
        std::ofstream out(partial, std::ios::trunc);
        out << "link=" << absoluteLink.string() << "\nmodel=" << model << "\n";
        if (!out.flush())
            return;
    }
    // Readers never see half an entry.
    std::filesystem::rename(partial, file, error);
    if (error) {
        std::filesystem::remove(partial, error);
        return;
    }
    m_file = file;
}

UnitAnnouncement::~UnitAnnouncement()
{
    if (!m_file.empty()) {
        std::error_code error;
        std::filesystem::remove(m_file, error);
    }
}

std::vector<AnnouncedUnit> announcedUnits(const std::filesystem::path& folder)
{
    std::vector<AnnouncedUnit> units;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        const std::filesystem::path& file = entry.path();
        if (file.extension() != EntrySuffix)
            continue;
        AnnouncedUnit unit;
        try {
            unit.pid = std::stol(file.stem().string());
        } catch (const std::exception&) {
            continue;
        }
        std::error_code missing;
        if (readEntry(file, unit) && processRuns(unit.pid) &&
            std::filesystem::exists(unit.link, missing))
            units.push_back(unit);
    }
    std::sort(units.begin(), units.end(),
        [](const AnnouncedUnit& a, const AnnouncedUnit& b) { return a.link < b.link; });
    return units;
}

} // namespace marquis::unit
