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

namespace {

class ModelSwitchTest : public ProgramTest {
protected:
    // A 5360 file of two messages with text on all four lines; message 1 is shown.
    void openTallFile()
    {
        tallPath = openScript("tall.src",
            { textMessage(1, { "ONE", "TWO", "THREE", "FOUR" }),
                textMessage(2, { "A", "B", "C", "D" }) });
        original = readWholeFile(tallPath);
    }

    std::string saveAs(const std::string& name)
    {
        const std::string path = (workFolder / name).string();
        ui.files.push_back(path);
        EXPECT_TRUE(session->SaveAs());
        return readWholeFile(path);
    }

    static constexpr const char* LinesQuestion =
        "The 5320 displays only two lines. The text on lines 3 and 4 of message  %d will be "
        "deleted when the message is changed.\r\nDo you want to continue?";
    static std::string linesQuestion(int n)
    {
        std::string text = LinesQuestion;
        return text.replace(text.find("%d"), 2, std::to_string(n));
    }

    std::string tallPath;
    std::string original;
};

// Messages looked at but not changed after the switch are saved exactly as they were read.
TEST_F(ModelSwitchTest, MessagesNotEditedKeepTheirLinesThreeAndFour)
{
    openTallFile();
    ProgramMenu menu(*session);
    ui.answers = { Answer::Ok };
    menu.setModel("5320");
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string> { linesQuestion(1) });
    EXPECT_EQ(ui.messages.back().buttons, Buttons::OkCancel);
    EXPECT_EQ(session->message().UnitLines, 2);
    ASSERT_TRUE(session->goToMessage(2));
    ASSERT_TRUE(session->goToMessage(1));

    std::string expected = original;
    expected.replace(expected.find("(5360)"), 6, "(5320)");
    EXPECT_EQ(saveAs("short.src"), expected);
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(ModelSwitchTest, CancelKeepsTheFourLineModel)
{
    openTallFile();
    ProgramMenu menu(*session);
    ui.answers = { Answer::Cancel };
    menu.setModel("5320");
    EXPECT_EQ(session->preferences().UnitType, "5360");
    EXPECT_EQ(session->message().UnitLines, 4);
    EXPECT_FALSE(session->store().IsModified());
    EXPECT_EQ(linesOf(1), (std::vector<std::string> { "ONE", "TWO", "THREE", "FOUR" }));

    // Script Edit keeps the message as text: the switch takes nothing from it.
    session->scriptEditMode = true;
    menu.setModel("5320");
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(session->message().UnitLines, 2);
    menu.setModel("5360");
    session->scriptEditMode = false;

    // A message without text on lines 3 and 4 switches without a question.
    ui.answers = { Answer::No };
    session->FileNew();
    ui.messages.clear();
    menu.setModel("5320");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(session->message().UnitLines, 2);
}

// A message changed under the 5320 loses lines it does not show only when the user agrees.
TEST_F(ModelSwitchTest, ChangedMessageAsksBeforeItsLinesThreeAndFourGo)
{
    openTallFile();
    ProgramMenu menu(*session);
    ui.answers = { Answer::Ok };
    menu.setModel("5320");
    ASSERT_TRUE(session->goToMessage(2));
    typeLine1("CHANGED");
    ui.messages.clear();
    ui.answers = { Answer::Cancel };
    EXPECT_FALSE(session->goToMessage(1));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string> { linesQuestion(2) });
    EXPECT_EQ(session->message().MessageNumber, 2);
    EXPECT_EQ(session->store().MessageState[2], InScript);
    EXPECT_FALSE(session->Save());
    EXPECT_EQ(readWholeFile(tallPath), original);

    ui.answers = { Answer::Ok };
    ASSERT_TRUE(session->goToMessage(1));
    const std::string saved = saveAs("short.src");
    EXPECT_NE(saved.find("PRINT\"CHANGED\""), std::string::npos);
    EXPECT_EQ(saved.find("PRINT\"D\""), std::string::npos);
    EXPECT_NE(saved.find("PRINT\"FOUR\""), std::string::npos);
}

}  // namespace
