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

}  // namespace
