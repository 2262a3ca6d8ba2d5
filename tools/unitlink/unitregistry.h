#pragma once

#include "unitlink/comports.h"

#include <filesystem>
#include <string>
#include <vector>

namespace marquis::unit {

// Running simulated units announce the link to their serial line in a private folder of the
// user, so that the editor can list them beside the machine's real serial devices (the system's
// port enumeration does not see pseudo-terminals).

// $XDG_RUNTIME_DIR/marquis5300-units, or /tmp/marquis5300-units-<uid> without it.
std::filesystem::path unitRegistryFolder(const EnvironmentLookup& environment);

// A simulated unit as it announced itself.
struct AnnouncedUnit {
    std::string link; // absolute path of the link to its line
    int model = 0; // 5320 or 5360
    long pid = 0; // the simulator's process

    bool operator==(const AnnouncedUnit&) const = default;
};

// Announces this process's unit while the object lives. Announcing is a courtesy: when the folder
// cannot be made or written, or is not private to the user, nothing is announced and the unit
// works as before.
class UnitAnnouncement {
public:
    UnitAnnouncement(const std::filesystem::path& folder, const std::string& link, int model);
    ~UnitAnnouncement();
    UnitAnnouncement(const UnitAnnouncement&) = delete;
    UnitAnnouncement& operator=(const UnitAnnouncement&) = delete;

    bool announced() const { return !m_file.empty(); }

private:
    std::filesystem::path m_file;
};

// The units announced in `folder` whose simulator still runs and whose link still leads to a
// line, in link order. Entries left by a simulator that was killed are skipped.
std::vector<AnnouncedUnit> announcedUnits(const std::filesystem::path& folder);

} // namespace marquis::unit
