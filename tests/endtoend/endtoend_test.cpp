#include "build/resultwindow.h"
#include "build/unitcommands.h"
#include "platform/posixprocesses.h"
#include "support/sessionfixture.h"
#include "support/simulatorprocess.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

using namespace marquis;
using namespace marquis::testing;

namespace {

// Records what the result window would show.
class ResultText : public ResultView {
public:
    std::string text;
    bool closed = false;
    std::string mainCaption;
    void setResultText(const std::string& t) override { text = t; }
    void appendResultText(const std::string& t) override { text += t; }
    void setElapsedVisible(bool, bool) override { }
    void setElapsed(const std::string&) override { }
    void setMainButton(const std::string& caption, bool, bool) override { mainCaption = caption; }
    void showErrorFile(const std::string&) override { }
    void closeWindow() override { closed = true; }
};

// Messages made with the editor's model are saved, compiled and assembled by the real tools,
// programmed over a pseudo-terminal into the simulated unit, and called up: the unit's display
// must show them.
class EndToEndTest : public SessionTest {
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
        settings.UnitType = "5360";
        settings.ScriptVersion = "2";
    }
    void TearDown() override { ::unsetenv("MARQUIS_COM1"); }

    // The display rows once they show `expected` on row `row` (1 is the top), or the last rows
    // seen after a few seconds.
    std::vector<std::string> rowsShowing(int row, const std::string& expected)
    {
        std::vector<std::string> rows;
        for (int attempt = 0; attempt < 100; ++attempt) {
            rows.clear();
            std::ifstream in(display, std::ios::binary);
            std::string line;
            while (std::getline(in, line)) {
                if (!line.empty() && line.back() == '\r')
                    line.pop_back();
                rows.push_back(line);
            }
            if (static_cast<int>(rows.size()) >= row && rows[static_cast<std::size_t>(row - 1)] == expected)
                return rows;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return rows;
    }

    TemporaryFolder unitFolder;
    std::string link;
    std::string display;
    std::unique_ptr<SimulatorProcess> simulator;
    PosixProcesses processes;
    ToolRunner tools { processes, files, ui, std::string(MARQUIS_BIN_DIR) + "/" };
};

TEST_F(EndToEndTest, MessagesFromTheEditorShowOnTheUnit)
{
    session->FileNew();
    CurrentMessage& message = session->message();
    message.line(1).LineText = "\\sb90\\sa90 \\qc \\f0 \\cf0 WELCOME";
    message.line(2).LineText = "\\sb90\\sa90 \\f0 \\cf0 OVEN \\f33 \\cf4 ####\\f0 \\cf0  C";
    message.line(3).LineText = "\\sb90\\sa90 \\f0 \\cf0 RATE \\f2 \\cf4 ##.#";
    ASSERT_TRUE(session->goToMessage(7));
    message.line(1).LineText = "\\sb90\\sa90 \\f0 \\cf0 SECOND MESSAGE";
    ui.files = { workFolder / "plant.src" };
    ASSERT_TRUE(session->SaveAs());

    ResultText view;
    ResultWindow compile(*session, tools, processes, view, true);
    ASSERT_TRUE(compile.open());
    ASSERT_FALSE(compile.LastCompileFailed) << view.text;
    EXPECT_EQ(view.mainCaption, "&Program");
    compile.mainButton();  // the version check passes (version 2 unit, version 2 file)
    EXPECT_NE(view.text.find("Result: OK"), std::string::npos) << view.text;
    EXPECT_TRUE(ui.messages.empty()) << ui.messageTexts().front();

    UnitCommands commands(*session, tools);
    ASSERT_TRUE(commands.runCommand("c", { "0", "73 4.5" }, "MQSCALL", "Calling up"));
    EXPECT_NE(ui.messageTexts().back().find("Message 0 called up"), std::string::npos)
        << ui.messageTexts().back();
    const std::vector<std::string> rows = rowsShowing(1, "      WELCOME       ");
    ASSERT_GE(rows.size(), 3u);
    EXPECT_EQ(rows[0], "      WELCOME       ");
    EXPECT_EQ(rows[1], "OVEN 0073 C         ");
    EXPECT_EQ(rows[2], "RATE  4.5           ");

    ASSERT_TRUE(commands.runCommand("c", { "7" }, "MQSCALL", "Calling up"));
    EXPECT_EQ(rowsShowing(1, "SECOND MESSAGE      ")[0], "SECOND MESSAGE      ");
}

TEST_F(EndToEndTest, WrongVersionIsCaughtBeforeProgramming)
{
    simulator.reset();
    simulator = std::make_unique<SimulatorProcess>(link,
        std::vector<std::string> { "--firmware", "3.20", "--program-mode", "on", "--baud",
            "38400" });
    ASSERT_TRUE(simulator->ready()) << simulator->output();
    session->FileNew();
    session->message().line(1).LineText = "\\sb90\\sa90 \\f0 \\cf0 VERSION TWO";
    ui.files = { workFolder / "v2.src" };
    ASSERT_TRUE(session->SaveAs());
    ResultText view;
    ResultWindow compile(*session, tools, processes, view, true);
    ASSERT_TRUE(compile.open());
    ASSERT_FALSE(compile.LastCompileFailed) << view.text;
    ui.answers = { Answer::Ok };
    compile.mainButton();
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages.back().text,
        "This is a Version 1 5300 Series Display, firmware release 3.20. You have to change "
        "Version setting in Program Menu, save and recompile.");
    EXPECT_TRUE(view.closed);
}

}  // namespace
