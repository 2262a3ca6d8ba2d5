// A message edited as script text goes all the way: checked by the build's compiler, saved,
// compiled, programmed into the simulated unit and called up there.
#include "build/unitcommands.h"
#include "scriptedit/scripteditfixture.h"
#include "support/displayrows.h"
#include "support/simulatorprocess.h"
#include "support/unitonline.h"

#include <cstdlib>

using namespace marquis;
using namespace marquis::testing;

namespace {

class ScriptEditEndToEndTest : public ScriptEditTest {
protected:
    void SetUp() override
    {
        link = (unitFolder / "com1").string();
        display = (unitFolder / "display.txt").string();
        simulator =
            std::make_unique<SimulatorProcess>(link, simulatedUnitOptions(unitFolder.path(), display));
        ASSERT_TRUE(simulator->ready()) << simulator->output();
        Preferences& settings = session->preferences();
        reachUnitAsCom1(settings, link);
        // The build's own tools, not the fake one.
        settings.ToolsFolder = std::string(MARQUIS_BIN_DIR) + "/";
        tools.setToolsFolder(settings.ToolsFolder);
    }
    void TearDown() override { forgetCom1(); }

    TemporaryFolder unitFolder;
    std::string link;
    std::string display;
    std::unique_ptr<SimulatorProcess> simulator;
};

TEST_F(ScriptEditEndToEndTest, AMessageEditedAsScriptTextShowsOnTheUnit)
{
    start("5360");
    type("PLAIN");
    edit->AdvEditClick();
    std::string text = message().MessageScript;
    const std::size_t at = text.find("PLAIN");
    ASSERT_NE(at, std::string::npos) << text;
    text.replace(at, 5, "BY SCRIPT");
    edit->scriptEdited(text);

    edit->SyntaxCheckCommand();
    ASSERT_EQ(
        ui.messageTexts(), std::vector<std::string> { "No syntax errors found in message 0" });
    edit->AdvEditClick();
    ASSERT_FALSE(session->scriptEditMode);
    EXPECT_TRUE(message().ScriptEditOnly);

    ui.files = { workFolder / "script.src" };
    ASSERT_TRUE(session->SaveAs());
    ASSERT_NO_FATAL_FAILURE(compileAndProgram(*session, tools, processes));

    ASSERT_TRUE(UnitCommands(*session, tools).runCommand("c", { "0" }, "MQSCALL", "Calling up"));
    EXPECT_EQ(displayRowsShowing(display, 1, "BY SCRIPT           ").at(0), "BY SCRIPT           ");
}

} // namespace
