// Simulated units announce their links so that the editor can offer them as serial devices.

#include "support/temporaryfolder.h"
#include "unitlink/unitregistry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace marquis::testing {
namespace {

using unit::AnnouncedUnit;
using unit::UnitAnnouncement;
using unit::announcedUnits;

// The pid of a process that has ended and been reaped.
long endedProcess()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST(UnitRegistryTest, AUnitIsListedWhileItsAnnouncementLives)
{
    TemporaryFolder folder;
    const std::filesystem::path registry = folder / "units";
    const std::string line = folder.write("line", "").string();
    const std::filesystem::path link = folder / "unit.link";
    std::filesystem::create_symlink(line, link);
    {
        const UnitAnnouncement announcement(registry, link.string(), 5320);
        ASSERT_TRUE(announcement.announced());
        EXPECT_EQ(announcedUnits(registry),
            (std::vector<AnnouncedUnit> { { link.string(), 5320, static_cast<long>(::getpid()) } }));
        // The folder is the user's alone.
        struct stat info { };
        ASSERT_EQ(::stat(registry.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u);
    }
    EXPECT_TRUE(announcedUnits(registry).empty());
}

TEST(UnitRegistryTest, EntriesOfKilledSimulatorsAndVanishedLinksAreSkipped)
{
    TemporaryFolder folder;
    const std::filesystem::path registry = folder / "units";
    std::filesystem::create_directory(registry);
    std::filesystem::permissions(registry, std::filesystem::perms::owner_all);
    const std::string line = folder.write("line", "").string();
    const std::string self = std::to_string(::getpid());

    // A simulator killed before it could remove its entry.
    folder.write("units/" + std::to_string(endedProcess()) + ".unit",
        "link=" + line + "\nmodel=5360\n");
    // A running process whose link is gone, and entries that are no entries.
    const UnitAnnouncement gone(registry, (folder / "gone.link").string(), 5360);
    folder.write("units/junk.unit", "link=" + line + "\nmodel=5360\n");
    folder.write("units/1.unit", "model=5360\n");
    folder.write("units/" + self + ".part", "link=" + line + "\nmodel=5360\n");

    EXPECT_TRUE(announcedUnits(registry).empty());
    EXPECT_TRUE(announcedUnits(folder / "none").empty());
}

TEST(UnitRegistryTest, NothingIsAnnouncedInAFolderOthersCanWrite)
{
    TemporaryFolder folder;
    const std::filesystem::path registry = folder / "units";
    std::filesystem::create_directory(registry);
    std::filesystem::permissions(registry, std::filesystem::perms::all);
    const UnitAnnouncement open(registry, (folder / "a.link").string(), 5360);
    EXPECT_FALSE(open.announced());
    EXPECT_TRUE(std::filesystem::is_empty(registry));

    // Nor through a link someone planted in the folder's place.
    std::filesystem::create_directory(folder / "elsewhere");
    std::filesystem::permissions(folder / "elsewhere", std::filesystem::perms::owner_all);
    std::filesystem::create_directory_symlink(folder / "elsewhere", folder / "planted");
    const UnitAnnouncement planted(folder / "planted", (folder / "a.link").string(), 5360);
    EXPECT_FALSE(planted.announced());
}

TEST(UnitRegistryTest, TheRegistryIsInTheUsersRuntimeFolder)
{
    const auto environment = [](const char* runtime) {
        return [runtime](const char* name) {
            return std::string(name) == "XDG_RUNTIME_DIR" ? runtime : nullptr;
        };
    };
    EXPECT_EQ(unit::unitRegistryFolder(environment("/run/user/1000")),
        std::filesystem::path("/run/user/1000/marquis5300-units"));
    const std::filesystem::path fallback =
        "/tmp/marquis5300-units-" + std::to_string(::getuid());
    EXPECT_EQ(unit::unitRegistryFolder(environment(nullptr)), fallback);
    EXPECT_EQ(unit::unitRegistryFolder(environment("relative")), fallback);
}

} // namespace
} // namespace marquis::testing
