#include "buildfixture.h"
#include "resultviewrecorder.h"

#include "build/programmenu.h"
#include "build/resultwindow.h"

using namespace marquis;
using namespace marquis::testing;

namespace {

class ProgramTest : public BuildTest {
protected:
    ResultViewRecorder view;
};

TEST(UnitVersionTest, ReleaseAndVersionFromTheReport)
{
    const auto old = parseUnitVersion("Unit 0: Version 3.20, model 5320\r\n");
    ASSERT_TRUE(old);
    EXPECT_EQ(old->release, "3.20");
    EXPECT_EQ(old->version, "1");
    const auto current = parseUnitVersion("Version 4.05 model 5360");
    ASSERT_TRUE(current);
    EXPECT_EQ(current->release, "4.05");
    EXPECT_EQ(current->version, "2");
    EXPECT_FALSE(parseUnitVersion("No answer from unit 3"));
}

TEST_F(ProgramTest, ChosenBinaryIsProgrammedWithoutAVersionQuery)
{
    const auto binary = workFolder.write("image.bin", "bin");
    ui.files = { binary };
    ResultWindow window(*session, tools, processes, view, false);
    ASSERT_TRUE(window.open());
    EXPECT_EQ(ui.fileDialogs.back().title, "Program file");
    EXPECT_EQ(ui.fileDialogs.back().filter, "5300 binary file (*.bin)|*.bin");
    ASSERT_EQ(runs().size(), 1u);
    EXPECT_EQ(runs()[0].substr(0, runs()[0].find(" | /a")),
        "5300 p | " + workFolder.folder() + "image");
    EXPECT_TRUE(runs()[0].ends_with(" | /log | " + tools.workFolder() + "image"));
    EXPECT_EQ(view.resultText, "Unit answered p\r\n");
    EXPECT_FALSE(tools.isBusy());
    EXPECT_FALSE(files.exists(workFolder.folder() + "image.lst"));
}

TEST_F(ProgramTest, VersionMismatchAsksAndCancelStillPrograms)
{
    openScript("shop.src", { textMessage(1, { "ONE" }) });  // "#pragma version 2"
    ResultWindow compile(*session, tools, processes, view, true);
    ASSERT_TRUE(compile.open());
    ::setenv("MARQUIS_FAKE_VERSION", "Version 3.20, model 5360", 1);
    ui.answers = { Answer::Cancel };
    compile.mainButton();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
        "This is a Version 1 5300 Series Display, firmware release 3.20. You have to change "
        "Version setting in Program Menu, save and recompile.");
    EXPECT_EQ(ui.messages[0].buttons, Buttons::OkCancel);
    ASSERT_EQ(runs().size(), 4u);
    EXPECT_TRUE(runs()[2].starts_with("5300 v"));
    EXPECT_TRUE(runs()[3].starts_with("5300 p"));

    // With the setting already at the unit's version, the other question; OK does not program.
    session->preferences().ScriptVersion = "1";
    ui.answers = { Answer::Ok };
    compile.mainButton();
    EXPECT_EQ(ui.messages.back().text,
        "This is a Version 1 5300 Series Display, firmware release 3.20. In order to program "
        "with correct Display Version you have to save and recompile.");
    EXPECT_TRUE(view.closed);
    EXPECT_EQ(runs().size(), 5u);
}

// During the version query only the caption of the elapsed time is hidden; both show again,
// counting, when programming starts.
TEST_F(ProgramTest, MatchingVersionProgramsWithoutAQuestion)
{
    openScript("shop.src", { textMessage(1, { "ONE" }) });
    ResultWindow compile(*session, tools, processes, view, true);
    ASSERT_TRUE(compile.open());
    view.elapsedVisible.clear();
    compile.mainButton();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(view.resultText, "Unit answered p\r\n");
    ASSERT_EQ(runs().size(), 4u);
    EXPECT_TRUE(runs()[2].starts_with("5300 v | " + workFolder.folder() + "shop | /a"));
    EXPECT_TRUE(runs()[2].ends_with(" | /log | " + tools.workFolder() + "shop"));
    const std::vector<std::pair<bool, bool>> shown { { true, true }, { false, true },
        { true, true } };
    EXPECT_EQ(view.elapsedVisible, shown);
}

// A script file that cannot be read gives no version to compare: the check passes.
TEST_F(ProgramTest, UnreadableScriptPassesTheVersionCheck)
{
    const std::string path = openScript("shop.src", { textMessage(1, { "ONE" }) });
    ResultWindow compile(*session, tools, processes, view, true);
    ASSERT_TRUE(compile.open());
    std::filesystem::remove(path);
    ::setenv("MARQUIS_FAKE_VERSION", "Version 3.20, model 5360", 1);
    compile.mainButton();
    EXPECT_TRUE(ui.messages.empty()) << ui.messageTexts().front();
    ASSERT_EQ(runs().size(), 4u);
    EXPECT_TRUE(runs()[3].starts_with("5300 p"));
}

TEST_F(ProgramTest, AddressQuestion)
{
    ProgramMenu menu(*session);
    ui.inputs = { std::string("256"), std::string("12a"), std::string(""), std::string(" 17 ") };
    menu.askAddress();
    menu.askAddress();
    menu.askAddress();
    EXPECT_EQ(ui.messageTexts(), (std::vector<std::string> { "You have entered an illegal address.",
                                     "The address 12a is not valid." }));
    EXPECT_EQ(ui.messages[1].icon, Icon::Information);
    EXPECT_EQ(session->preferences().UnitAddress, "0");
    menu.askAddress();
    EXPECT_EQ(session->preferences().UnitAddress, "17");
    EXPECT_EQ(menu.addressCaption(), "&Address 17...");
}

TEST_F(ProgramTest, VersionAndModelChanges)
{
    openScript("shop.src", { textMessage(1, { "ONE" }) });
    const auto binary = workFolder.write("shop.bin", "old");
    ProgramMenu menu(*session);
    EXPECT_TRUE(menu.programEnabled());
    menu.setVersion("2");
    EXPECT_TRUE(files.exists(binary.string()));
    menu.setVersion("1");
    EXPECT_FALSE(files.exists(binary.string()));
    EXPECT_TRUE(session->store().FileModified);
    EXPECT_FALSE(menu.programEnabled());

    menu.setModel("5320");
    EXPECT_EQ(session->message().UnitLines, 2);
    EXPECT_EQ(menu.displayCaption(), "5320 Display");
}

}  // namespace
