#pragma once

#include "build/resultview.h"
#include "build/toolrunner.h"
#include "files/editorsession.h"
#include "ports/processport.h"

#include <filesystem>
#include <string>
#include <vector>

namespace marquis::testing {

// Records what the result window of compiling and programming would show.
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

// The options of the simulated 5360 that the end-to-end tests program: firmware 4.05, its
// flash kept in `folder`, program mode on, 38400 baud, its display rows written to `display`.
std::vector<std::string> simulatedUnitOptions(
    const std::filesystem::path& folder, const std::string& display);

// Makes the unit on the pseudo-terminal `link` the session's COM 1, at the unit's speed and
// script version.
void reachUnitAsCom1(Preferences& settings, const std::string& link);
// Forgets the link again.
void forgetCom1();

// Compiles the saved file and programs the unit, as Program > Compile... and its Program button
// do; a failure is a test failure.
void compileAndProgram(EditorSession& session, ToolRunner& tools, ProcessPort& processes);

} // namespace marquis::testing
