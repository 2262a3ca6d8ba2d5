#include "support/unitonline.h"

#include "build/resultwindow.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace marquis::testing {

std::vector<std::string> simulatedUnitOptions(
    const std::filesystem::path& folder, const std::string& display)
{
    return { "--model", "5360", "--firmware", "4.05", "--flash", (folder / "flash.img").string(),
        "--program-mode", "on", "--baud", "38400", "--display", display };
}

void reachUnitAsCom1(Preferences& settings, const std::string& link)
{
    ::setenv("MARQUIS_COM1", link.c_str(), 1);
    settings.ComPort = "1";
    settings.BaudRate = "38400";
    settings.ScriptVersion = "2";
}

void forgetCom1()
{
    ::unsetenv("MARQUIS_COM1");
}

void compileAndProgram(EditorSession& session, ToolRunner& tools, ProcessPort& processes)
{
    ResultText view;
    ResultWindow compile(session, tools, processes, view, true);
    ASSERT_TRUE(compile.open());
    ASSERT_FALSE(compile.LastCompileFailed) << view.text;
    compile.mainButton();
    ASSERT_NE(view.text.find("Result: OK"), std::string::npos) << view.text;
}

} // namespace marquis::testing
