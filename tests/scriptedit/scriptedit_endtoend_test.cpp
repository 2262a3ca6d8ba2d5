// A message edited as script text goes all the way: checked by the build's compiler, saved,
// compiled, programmed into the simulated unit and called up there.
#include "build/resultwindow.h"
#include "build/unitcommands.h"
#include "scriptedit/scripteditfixture.h"
#include "support/displayrows.h"
#include "support/simulatorprocess.h"

#include <cstdlib>

using namespace marquis;
using namespace marquis::testing;

namespace {

class ResultText : public ResultView {
public:
    std::string text;
    void setResultText(const std::string& t) override { text = t; }
    void appendResultText(const std::string& t) override { text += t; }
    void setElapsedVisible(bool, bool) override { }
    void setElapsed(const std::string&) override { }
    void setMainButton(const std::string&, bool, bool) override { }
    void showErrorFile(const std::string&) override { }
    void closeWindow() override { }
};

class ScriptEditEndToEndTest : public ScriptEditTest {
protected:
    void SetUp() override
    {
        link = (unitFolder / "com1").string();
        display = (unitFolder / "display.txt").string();
        simulator = std::make_unique<SimulatorProcess>(link,
            std::vector<std::string> { "--model", "5360", "--firmware", "4.05", "--flash",
                (unitFolder / "flash.img").string(), "--program-mode", "on", "--baud", "38400",
                "--display", display });
        ASSERT_TRUE(simulator->ready()) << simulator->output();
        ::setenv("MARQUIS_COM1", link.c_str(), 1);
        Preferences& settings = session->preferences();
        settings.ComPort = "1";
        settings.BaudRate = "38400";
        settings.ScriptVersion = "2";
        // The build's own tools, not the fake one.
        settings.ToolsFolder = std::string(MARQUIS_BIN_DIR) + "/";
        tools.setToolsFolder(settings.ToolsFolder);
    }
    void TearDown() override { ::unsetenv("MARQUIS_COM1"); }

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
    ResultText view;
    ResultWindow compile(*session, tools, processes, view, true);
    ASSERT_TRUE(compile.open());
    ASSERT_FALSE(compile.LastCompileFailed) << view.text;
    compile.mainButton();
    ASSERT_NE(view.text.find("Result: OK"), std::string::npos) << view.text;

    ASSERT_TRUE(UnitCommands(*session, tools).runCommand("c", { "0" }, "MQSCALL", "Calling up"));
    EXPECT_EQ(displayRowsShowing(display, 1, "BY SCRIPT           ").at(0), "BY SCRIPT           ");
}

} // namespace
