#include "files/paths.h"

#include <gtest/gtest.h>

using namespace marquis;

namespace {

TEST(PathsTest, TakesPathsApart)
{
    EXPECT_EQ(fileNameOf("/home/me/signs/shop.src"), "shop.src");
    EXPECT_EQ(fileNameOf("C:\\SIGNS\\SHOP.SRC"), "SHOP.SRC");
    EXPECT_EQ(fileNameOf("shop.src"), "shop.src");
    EXPECT_EQ(folderOf("/home/me/signs/shop.src"), "/home/me/signs/");
    EXPECT_EQ(folderOf("shop.src"), "");
    EXPECT_EQ(baseNameOf("/home/me/shop.v2.src"), "shop");
    EXPECT_EQ(withTrailingSeparator("/opt/tools"), "/opt/tools/");
    EXPECT_EQ(withTrailingSeparator("/opt/tools/"), "/opt/tools/");
}

TEST(PathsTest, BasePathCutsAtTheFirstPointOfTheFileNameOnly)
{
    EXPECT_EQ(basePathOf("/home/me/.config/signs/shop.v2.src"), "/home/me/.config/signs/shop");
    EXPECT_EQ(basePathOf("/home/me/shop"), "/home/me/shop");
}

} // namespace

#include "files/preferences.h"
#include "files/programfolders.h"
#include "support/faultyfilesystem.h"
#include "support/temporaryfolder.h"

#include <filesystem>
#include <fstream>

namespace {

using marquis::testing::FaultyFileSystem;
using marquis::testing::TemporaryFolder;

TEST(ProgramFoldersTest, WritableInstallationIsTheProgramFolder)
{
    TemporaryFolder installed;
    FaultyFileSystem files;
    const ProgramFolders folders =
        resolveProgramFolders(files, installed.path().string(), "/nowhere/");
    EXPECT_EQ(folders.program, installed.folder());
    EXPECT_EQ(folders.executable, installed.folder());
    EXPECT_FALSE(files.exists(installed.folder() + "TST&&&.TMP"));
}

TEST(ProgramFoldersTest, ReadOnlyInstallationWorksInTheUserDataFolder)
{
    TemporaryFolder installed;
    TemporaryFolder home;
    FaultyFileSystem files;
    files.readOnlyFolders.insert(installed.folder());
    const std::string data = home.folder() + "share/Marquis5300/";
    const ProgramFolders folders = resolveProgramFolders(files, installed.folder(), data);
    EXPECT_EQ(folders.program, data);
    EXPECT_EQ(folders.executable, installed.folder());
    EXPECT_TRUE(std::filesystem::is_directory(data));
}

// A tree as installed under a prefix: the programs in bin/, the tools in the installed tools
// folder beside it.
struct InstalledTree {
    TemporaryFolder root;
    std::string bin = root.folder() + "usr/bin/";
    std::string tools =
        std::filesystem::path(bin + installedToolsFolder()).lexically_normal().string();

    InstalledTree()
    {
        std::filesystem::create_directories(bin);
        std::filesystem::create_directories(tools);
    }
    void putCompilerIn(const std::string& folder) const
    {
        std::ofstream(std::filesystem::path(folder) / std::string(CompilerFileName)) << "";
    }
};

TEST(ProgramFoldersTest, ToolsAreFoundBesideTheProgramFirstThenInTheInstalledToolsFolder)
{
    InstalledTree tree;
    DiskFileSystem files;
    // Nothing anywhere: the program's own folder, where the messages about missing tools point.
    EXPECT_EQ(locateToolsFolder(files, tree.bin), tree.bin);

    tree.putCompilerIn(tree.tools);
    EXPECT_EQ(locateToolsFolder(files, tree.bin), tree.tools);
    EXPECT_EQ(tree.tools.find(".."), std::string::npos) << tree.tools;
    EXPECT_TRUE(tree.tools.ends_with('/'));

    // A build folder, or a copy kept in one folder, keeps using its own tools.
    tree.putCompilerIn(tree.bin);
    EXPECT_EQ(locateToolsFolder(files, tree.bin), tree.bin);
}

TEST(ProgramFoldersTest, InstalledCopyKeepsItsWorkFilesOutOfTheProgramsFolder)
{
    InstalledTree tree;
    tree.putCompilerIn(tree.tools);
    TemporaryFolder home;
    FaultyFileSystem files;
    const std::string data = home.folder() + "share/Marquis5300/";
    // bin/ is writable here, as it is for root; the work files go to the user's folder anyway.
    const ProgramFolders folders = resolveProgramFolders(files, tree.bin, data);
    EXPECT_EQ(folders.executable, tree.tools);
    EXPECT_EQ(folders.program, data);
    EXPECT_TRUE(std::filesystem::is_directory(data));
    EXPECT_FALSE(std::filesystem::exists(tree.bin + "TST&&&.TMP"));
}

} // namespace
