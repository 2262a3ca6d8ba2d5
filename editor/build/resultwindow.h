#pragma once

#include "build/compilejob.h"
#include "build/programunit.h"
#include "build/resultview.h"
#include "ports/processport.h"

#include <string>

namespace marquis {

// The logic of the result window of Program > Compile... and Program > Program...: which file
// it works on, compiling and assembling, programming, error viewing and closing.
class ResultWindow {
public:
    ResultWindow(EditorSession& session, ToolRunner& tools, ProcessPort& processes,
        ResultView& view, bool compileMode);

    const bool CompileMode;
    std::string SourcePath;
    std::string OutputPath;
    bool LastCompileFailed = true;

    // The opening sequence; false when the window closes again at once.
    bool open();

    // The main button: "&Program" programs the new binary, "&View Errors" shows the error file.
    void mainButton();

    // The Close button: ends at once, or asks the running tool's routine to stop.
    void closeButton();

    // The window has closed, however: a cancel made in it ends with it, so no later run of the
    // shared tool runner is cut short by it.
    void closed();

    std::string outputBase() const { return outputBaseOf(OutputPath); }

private:
    bool hasContent();
    bool chooseSource();
    void viewErrors();

    EditorSession& m_session;
    ToolRunner& m_tools;
    ProcessPort& m_processes;
    ResultView& m_view;
    UserInterface& m_ui;
    std::string m_mainCaption;
};

}  // namespace marquis
