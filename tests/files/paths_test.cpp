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

#include "files/programfolders.h"
#include "support/faultyfilesystem.h"
#include "support/temporaryfolder.h"

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

} // namespace
