// The editor's command line: what it asks for, a file opened at start-up, and --help and
// --version answered by the built program without a window.
#include "app/commandline.h"
#include "support/processrunner.h"
#include "window/windowfixture.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace marquis::testing {
namespace {

using Action = CommandLine::Action;

TEST(CommandLineParse, OpensAtMostOneFileAndRefusesUnknownOptions)
{
    EXPECT_EQ(parseCommandLine({}).action, Action::Run);
    EXPECT_FALSE(parseCommandLine({}).file);

    const CommandLine one = parseCommandLine({ "/home/ann/shop.src" });
    EXPECT_EQ(one.action, Action::Run);
    EXPECT_EQ(one.file, "/home/ann/shop.src");
    // After "--" a name starting with "-" is a file, not an option.
    EXPECT_EQ(parseCommandLine({ "--", "-odd.src" }).file, "-odd.src");
    EXPECT_EQ(parseCommandLine({ "--", "--help" }).action, Action::Run);

    const CommandLine unknown = parseCommandLine({ "shop.src", "--bogus", "-x" });
    EXPECT_EQ(unknown.action, Action::Error);
    EXPECT_EQ(unknown.error, "Marquis5300: unknown option '--bogus' (try --help)");
    EXPECT_FALSE(unknown.file);
    EXPECT_EQ(parseCommandLine({ "a.src", "b.src" }).error,
        "Marquis5300: only one script file can be opened at a time");
    EXPECT_EQ(parseCommandLine({ "" }).action, Action::Error);
}

TEST(CommandLineParse, HelpAndVersionWinOverEverythingElse)
{
    EXPECT_EQ(parseCommandLine({ "--help" }).action, Action::Help);
    EXPECT_EQ(parseCommandLine({ "-h" }).action, Action::Help);
    EXPECT_EQ(parseCommandLine({ "--version" }).action, Action::Version);
    // Options the toolkit takes out later must not stop them.
    EXPECT_EQ(parseCommandLine({ "-platform", "offscreen", "--version" }).action, Action::Version);
    EXPECT_EQ(parseCommandLine({ "--version", "--help" }).action, Action::Help);
    EXPECT_EQ(parseCommandLine({ "--bogus", "--help" }).action, Action::Help);
}

// The program with the toolkit pointed at a display that is not there: a window would fail.
ProcessResult runEditorProgram(const std::vector<std::string>& arguments,
    const std::filesystem::path& runtimeFolder, const std::string& platform = "xcb")
{
    std::vector<std::string> command { std::string(MARQUIS_BIN_DIR) + "/Marquis5300" };
    command.insert(command.end(), arguments.begin(), arguments.end());
    return runProcess(command, {},
        { "QT_QPA_PLATFORM=" + platform,
            "DISPLAY=", "WAYLAND_DISPLAY=", "XDG_RUNTIME_DIR=" + runtimeFolder.string() },
        std::chrono::seconds(60));
}

TEST(CommandLineProgram, HelpAndVersionPrintWithoutAWindowOrTheLock)
{
    const TemporaryFolder runtime;
    const ProcessResult version = runEditorProgram({ "--version" }, runtime.path());
    EXPECT_EQ(version.exitCode, 0) << version.errors;
    EXPECT_EQ(version.output, commandLineVersion());
    EXPECT_EQ(version.output.rfind("Marquis5300 ", 0), 0u);

    const ProcessResult help = runEditorProgram({ "--help" }, runtime.path());
    EXPECT_EQ(help.exitCode, 0) << help.errors;
    EXPECT_EQ(help.output, commandLineHelp());
    EXPECT_NE(help.output.find("Usage: Marquis5300 [FILE.src]"), std::string::npos);

    // No copy started: the single-instance lock was never made.
    EXPECT_FALSE(std::filesystem::exists(runtime / "Marquis5300" / "Marquis5300.lock"));
    EXPECT_TRUE(std::filesystem::is_empty(runtime.path()));
}

TEST(CommandLineProgram, AnUnknownOptionIsOneLineAndExitCodeTwo)
{
    const TemporaryFolder runtime;
    const ProcessResult result = runEditorProgram({ "--bogus" }, runtime.path(), "offscreen");
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.output.empty());
    EXPECT_NE(result.errors.find("Marquis5300: unknown option '--bogus' (try --help)\n"),
        std::string::npos)
        << result.errors;
    EXPECT_TRUE(std::filesystem::is_empty(runtime.path()));
}

TEST_F(WindowTest, AFileGivenAtStartUpOpensAsFileOpenWould)
{
    start("5320");
    window->openGivenFile(binFile("demo.src"));
    EXPECT_TRUE(user.messages.empty());
    EXPECT_EQ(window->windowTitle(), "Marquis 5300 - demo.src");
    EXPECT_EQ(row(2), " HOLLOWAY HARDWARE");
    EXPECT_EQ(session->recentFiles().front(), binFile("demo.src"));
}

TEST_F(WindowTest, AMissingOrForeignFileAtStartUpLeavesTheNewFile)
{
    start("5320");
    const QString fresh = window->windowTitle();
    window->openGivenFile((programFolder / "nowhere.src").string());
    ASSERT_EQ(user.messages.size(), 1u);
    EXPECT_EQ(user.messages[0].text, "Specified file doesn't exist.");
    EXPECT_EQ(window->windowTitle(), fresh);

    // A file of another program: the user declines to try again and keeps the new file.
    const std::filesystem::path foreign = programFolder.write("other.src", "int main() {}\n");
    user.answers.push_back(Answer::No);
    window->openGivenFile(foreign.string());
    EXPECT_EQ(user.messages.back().text,
        "You can open files created only with this program.\r\nDo you want to try again?");
    EXPECT_EQ(window->windowTitle(), fresh);

    // Trying again goes on in the Open dialog, as File > Open does.
    user.answers.push_back(Answer::Yes);
    user.files.push_back(binFile("demo.src"));
    window->openGivenFile(foreign.string());
    EXPECT_EQ(window->windowTitle(), "Marquis 5300 - demo.src");
}

} // namespace
} // namespace marquis::testing
