// The simulated unit's line: which symbolic links it may take over.

#include "support/temporaryfolder.h"
#include "unitlink/pseudoterminal.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace marquis::unit {
namespace {

using marquis::testing::readWholeFile;
using marquis::testing::TemporaryFolder;

std::string openTerminal(PseudoTerminal& terminal)
{
    std::string error;
    EXPECT_TRUE(terminal.open(error)) << error;
    return terminal.slaveName();
}

TEST(PseudoTerminal, TakesOverOnlyALinkThatLeadsNowhereLive)
{
    TemporaryFolder folder;
    const auto path = folder / "com1";
    std::string error;

    // A file that is not a link is never touched.
    folder.write("com1", "notes");
    {
        PseudoTerminal terminal;
        openTerminal(terminal);
        EXPECT_FALSE(terminal.linkAs(path.string(), error));
        EXPECT_NE(error.find("not a symbolic link"), std::string::npos) << error;
    }
    EXPECT_EQ(readWholeFile(path), "notes");
    std::filesystem::remove(path);

    // The link of a line in use (another simulated unit) is left to it.
    PseudoTerminal other;
    const std::string otherSlave = openTerminal(other);
    ASSERT_TRUE(other.linkAs(path.string(), error)) << error;
    {
        PseudoTerminal terminal;
        openTerminal(terminal);
        error.clear();
        EXPECT_FALSE(terminal.linkAs(path.string(), error));
        EXPECT_NE(error.find("in use"), std::string::npos) << error;
    }
    EXPECT_EQ(std::filesystem::read_symlink(path), otherSlave);

    // Links left behind: to a pseudo-terminal that was closed (its number may come back to the
    // new one), and to a file that is gone.
    std::string closedSlave;
    {
        PseudoTerminal closed;
        closedSlave = openTerminal(closed);
    }
    for (const std::filesystem::path& stale :
        { std::filesystem::path(closedSlave), folder / "gone" }) {
        SCOPED_TRACE(stale.string());
        std::filesystem::remove(path);
        std::filesystem::create_symlink(stale, path);
        PseudoTerminal terminal;
        const std::string slave = openTerminal(terminal);
        ASSERT_TRUE(terminal.linkAs(path.string(), error)) << error;
        EXPECT_EQ(std::filesystem::read_symlink(path), slave);
    }
    // The terminal removed its link when it went.
    EXPECT_FALSE(std::filesystem::is_symlink(path));

    // A link that was replaced meanwhile is not removed.
    {
        PseudoTerminal terminal;
        openTerminal(terminal);
        ASSERT_TRUE(terminal.linkAs(path.string(), error)) << error;
        std::filesystem::remove(path);
        std::filesystem::create_symlink(otherSlave, path);
    }
    EXPECT_EQ(std::filesystem::read_symlink(path), otherSlave);
}

} // namespace
} // namespace marquis::unit
