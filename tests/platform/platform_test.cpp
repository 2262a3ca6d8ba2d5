#include "platform/dynamicmodule.h"
#include "platform/executablefolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <string>

namespace marquis {
namespace {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "platform_test_XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            m_path = pattern;
        }
    }
    ~TempFolder()
    {
        std::error_code error;
        fs::remove_all(m_path, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

const fs::path moduleFile = fs::path(MARQUIS_BIN_DIR) / "TessalyLibrary.so";

TEST(ExecutableFolder, IsTheFolderHoldingTheRunningProgram)
{
    const fs::path folder = executableFolder();
    EXPECT_TRUE(folder.is_absolute());
    EXPECT_TRUE(fs::equivalent(folder, MARQUIS_BIN_DIR));
    EXPECT_TRUE(fs::exists(folder / "platform_tests"));
}

TEST(DynamicModule, FailureLeavesItEmptyWithAnErrorText)
{
    TempFolder temp;
    ASSERT_FALSE(temp.path().empty());

    DynamicModule missing(temp.path() / "absent.so");
    EXPECT_FALSE(missing.isLoaded());
    EXPECT_NE(missing.errorText().find("absent.so"), std::string::npos) << missing.errorText();
    EXPECT_EQ(missing.symbol("anything"), nullptr);
    EXPECT_FALSE(missing.errorText().empty());

    const fs::path garbage = temp.path() / "garbage.so";
    std::ofstream(garbage) << "this is not a module";
    DynamicModule notAModule(garbage);
    EXPECT_FALSE(notAModule.isLoaded());
    EXPECT_FALSE(notAModule.errorText().empty());

    DynamicModule empty(fs::path {});
    EXPECT_FALSE(empty.isLoaded());
    EXPECT_FALSE(empty.errorText().empty());
}

TEST(DynamicModule, BareNameIsNotLookedUpOnTheSystemLibraryPath)
{
    // The C library is always loaded and on the library path; a bare name must still mean a
    // file in the current directory, which holds no such file.
    TempFolder temp;
    ASSERT_FALSE(temp.path().empty());
    const fs::path previous = fs::current_path();
    fs::current_path(temp.path());
    DynamicModule module("libc.so.6");
    fs::current_path(previous);
    EXPECT_FALSE(module.isLoaded());
}

TEST(DynamicModule, FindsExportedSymbolsOnlyAndSurvivesMoves)
{
    DynamicModule module(moduleFile);
    ASSERT_TRUE(module.isLoaded()) << module.errorText();
    EXPECT_TRUE(module.errorText().empty());

    EXPECT_NE(module.symbol("marquis_create_component"), nullptr) << module.errorText();
    EXPECT_EQ(module.symbol("no_such_symbol"), nullptr);
    EXPECT_NE(module.errorText().find("no_such_symbol"), std::string::npos);

    DynamicModule moved(std::move(module));
    EXPECT_FALSE(module.isLoaded()); // NOLINT(bugprone-use-after-move): checking the moved-from
    ASSERT_TRUE(moved.isLoaded());
    EXPECT_NE(moved.symbol("marquis_create_component"), nullptr);

    DynamicModule assigned;
    assigned = std::move(moved);
    EXPECT_FALSE(moved.isLoaded()); // NOLINT(bugprone-use-after-move)
    EXPECT_NE(assigned.symbol("marquis_create_component"), nullptr);
    assigned.close();
    EXPECT_FALSE(assigned.isLoaded());
}

} // namespace
} // namespace marquis
